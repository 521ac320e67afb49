// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QIcon>
#include <QList>
#include <QMetaType>
#include <QString>

/// One user as the greeter shows it. An empty record answers "no such user".
struct VESTIBULE_COMMON_EXPORT UserData {
    QString username;
    QString hostname; ///< the machine of the account; the local host name for local accounts
    QIcon icon; ///< face picture, may be null
    bool logged = false; ///< already has a running session
    bool hasToken = false; ///< the user's hardware token is present
    /// The person's name from the user database, empty when it has none. Last, so that
    /// records written field by field in braces keep their meaning.
    QString fullName;

    /// How the user is named to people: the full name, or the login where there is none.
    QString displayName() const { return fullName.isEmpty() ? username : fullName; }

    /// True when the record names a user.
    explicit operator bool() const { return !username.isEmpty(); }
    /// Forgets the user but keeps the icon.
    void clear();
};

using UsersData = QList<UserData>;

Q_DECLARE_METATYPE(UserData)
Q_DECLARE_METATYPE(UsersData)
