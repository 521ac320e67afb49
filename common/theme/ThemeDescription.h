// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QString>
#include <QStringList>

/**
 * The theme description file "RezGreeterTheme.desktop" of a theme directory.
 * Everything but the path stays empty until read().
 */
class VESTIBULE_COMMON_EXPORT ThemeDescription
{
public:
    explicit ThemeDescription(const QString& path);
    virtual ~ThemeDescription();
    ThemeDescription(const ThemeDescription&) = default;
    ThemeDescription& operator=(const ThemeDescription&) = default;

    /// Reads the file again; throws FileNotExistsException when it is missing.
    void read();

    QString path() const;
    QString greeter() const;
    QString plugin() const;
    QStringList widgets() const;
    /// Absolute directory of the description: every other theme file is resolved against it.
    QString dirPath() const;

private:
    QString m_path;
    QString m_greeter;
    QString m_plugin;
    QStringList m_widgets;
};
