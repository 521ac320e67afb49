// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

/**
 * Where a host finds what the toolkit installs: in the build tree when it runs from
 * there, else beside its own installed copy, else in the system's usual places.
 */
class ToolkitPaths
{
public:
    /// The plug-in file for @p name ("standard-theme"), or @p name itself for the library to resolve.
    static QString plugin(const QString& name);
    /// The default theme directory for the plug-in @p name.
    static QString defaultTheme(const QString& pluginName);
    /// The directory holding the default wallpapers ("nimb-dm/") and logos ("logo/").
    static QString wallpapers();
    /// The directory of the toolkit's compiled catalogues.
    static QString translations();
    /// The plug-in the description of @p themeDir names (its Plugin entry).
    static QString pluginOfTheme(const QString& themeDir);
};
