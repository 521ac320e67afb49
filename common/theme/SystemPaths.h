// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QString>

/**
 * The fixed places of the system that the greeter reads and writes, in one table.
 *
 * Every path is absolute on a real machine. Tests and the preview host move the whole
 * set under another directory, either with setRoot() or, for code that runs before
 * main() gets a say (the catalogue pre-routine), with the environment variable
 * VESTIBULE_SYSTEM_ROOT. An empty root means the real file system.
 */
class VESTIBULE_COMMON_EXPORT SystemPaths
{
public:
    static QString root();
    static void setRoot(const QString& root);

    /// @p absolutePath moved under the current root.
    static QString resolve(const QString& absolutePath);

    static QString nimbDmConfigDir(); ///< "/etc/X11/nimb-dm/" (with the trailing slash)
    static QString nimbDmConfigFile(); ///< "/etc/X11/nimb-dm/nimb-dmrc"
    static QString tokenFile(); ///< "/etc/X11/nimb-dm/token"
    static QString domainScriptsDir(); ///< "/etc/domains.list.d/" (with the trailing slash)
    /// "/etc/nimb/security-level": a single integer, 0 basic, 1 enhanced, 2 maximum
    static QString securityLevelFile();
    static QString translationsDir(); ///< "/usr/share/nimb/translations"
    static QString wallpapersDir(); ///< "/usr/share/wallpapers"
    static QString nimbDmWallpapersDir(); ///< "/usr/share/wallpapers/nimb-dm"
    static QString defaultLogoBase(); ///< "/usr/share/wallpapers/logo/pelio_logo"
};
