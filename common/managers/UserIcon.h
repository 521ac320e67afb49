// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QIcon>
#include <QMap>
#include <QString>

#include <cstdint>

/// Where face pictures come from, and which one wins when a user has two.
enum FaceSource : int32_t {
    AdminOnly = 0, ///< the administrator's faces directory only
    PreferAdmin = 1, ///< both; the faces directory wins
    PreferUser = 2, ///< both; the home directory wins
    UserOnly = 3, ///< home directories only
};

/// Gathers the users' face pictures.
class VESTIBULE_COMMON_EXPORT UserIcon
{
public:
    /**
     * Faces by login name; the key "" holds the default face (".default.face.icon" in
     * @p facesDir). Administrator faces are "<login>.face.icon" in @p facesDir, user faces
     * ".face.icon" in the home directories of the user database.
     */
    static QMap<QString, QIcon> getUserIcons(const QString& facesDir, const FaceSource& source);
};
