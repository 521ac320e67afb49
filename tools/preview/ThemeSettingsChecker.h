// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QStringList>

class QDir;

/**
 * The settings.yaml part of the theme check: syntax errors and every value the library
 * would refuse or silently ignore, each with its line and column.
 */
class ThemeSettingsChecker
{
public:
    /// Appends a line to @p problems for each problem of the settings file in @p dir, if it has one.
    static void check(const QDir& dir, QStringList& problems);
};
