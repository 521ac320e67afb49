// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeInfo.h"

#include <QFileInfo>

ThemeInfo::ThemeInfo(const QString& path)
    : m_path(path)
    , m_description(path + QStringLiteral("/RezGreeterTheme.desktop"))
{
}

ThemeInfo::~ThemeInfo() = default;

void ThemeInfo::read()
{
    m_description.read();
}
QString ThemeInfo::path() const
{
    return m_path;
}
QString ThemeInfo::name() const
{
    return QFileInfo(m_path).fileName();
}
ThemeDescription ThemeInfo::description() const
{
    return m_description;
}

bool ThemeInfo::isUiTheme() const
{
    return QFileInfo(m_description.greeter()).completeSuffix() == QLatin1String("ui");
}
