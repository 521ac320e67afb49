// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeDescription.h"

#include "Exceptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

ThemeDescription::ThemeDescription(const QString& path)
    : m_path(path)
{
}

ThemeDescription::~ThemeDescription() = default;

void ThemeDescription::read()
{
    if (!QFileInfo::exists(m_path))
        throw FileNotExistsException(m_path);

    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("RezGreeterTheme"));
    m_greeter = settings.value(QStringLiteral("Greeter")).toString();
    m_plugin = settings.value(QStringLiteral("Plugin")).toString();
    m_widgets = settings.value(QStringLiteral("Widgets")).toStringList();
}

QString ThemeDescription::path() const
{
    return m_path;
}
QString ThemeDescription::greeter() const
{
    return m_greeter;
}
QString ThemeDescription::plugin() const
{
    return m_plugin;
}
QStringList ThemeDescription::widgets() const
{
    return m_widgets;
}
QString ThemeDescription::dirPath() const
{
    return QFileInfo(m_path).dir().absolutePath();
}
