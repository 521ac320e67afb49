// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QString>
#include <QStringList>

#include <sys/types.h>

/**
 * The host's greeter configuration. The host fills it; the creator and the themes only
 * read it (themes keep a copy).
 */
class VESTIBULE_COMMON_EXPORT SystemInfo
{
public:
    QStringList loginPlugins; ///< login plug-ins; only the first is loaded
    bool listUsers = false; ///< show the user list rather than the token-user mode
    QString language; ///< language of theme translations and session aliases
    QString prevUserKey; ///< key of the previous-user store
    QString prevUserFile; ///< file of the previous-user store
    QString wallpaperDir; ///< wallpaper directory handed to the default wallpaper lookup

    /// A name starting with "/" as it is, otherwise "vestibule_<name>" in Qt's libraries directory.
    static QString fullPluginPath(const QString& name);
    static uid_t intToUid_t(int value);
    /// One string per entry of a null-terminated array of UTF-8 C strings.
    static QStringList pointToStringList(char** list);
};
