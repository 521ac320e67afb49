// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeDescription.h"

#include "Exceptions.h"
#include "IniValueCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>

ThemeDescription::ThemeDescription(const QString& path)
    : m_path(path)
{
}

ThemeDescription::~ThemeDescription() = default;

void ThemeDescription::read()
{
    if (!QFileInfo::exists(m_path))
        throw FileNotExistsException(m_path);

    if (IniValueCheck::fileHoldsSerialisedObject(m_path)) {
        // Read as a description without keys: the theme then fails with the usual reasons.
        std::fprintf(stderr, "vestibule: the theme description '%s' holds a serialised Qt value; it is not read\n",
            qPrintable(m_path));
        return;
    }
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
