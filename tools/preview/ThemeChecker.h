// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>
#include <QStringList>

/**
 * Checks a theme directory the way the theme plug-in named by its description will use it:
 * the description file, settings.yaml, the forms and every object the library's widgets and
 * the plug-ins look up in them by name, and the icons of the login widget.
 *
 * Forms are loaded for real, so a QApplication must exist.
 */
class ThemeChecker
{
public:
    /**
     * Every problem of the theme in @p themeDir, one line each, in the order the files are
     * read; an empty list means the theme is fine. Each line starts with the file it concerns,
     * relative to the theme directory. Never throws: whatever the library throws on a broken
     * theme becomes a line.
     */
    static QStringList check(const QString& themeDir);
};
