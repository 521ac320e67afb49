// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QMetaType>
#include <QString>

/// One login request: the user name (possibly joined with a domain) and the password as typed.
struct VESTIBULE_COMMON_EXPORT AuthData {
    QString login;
    QString password;

    bool operator==(const AuthData& other) const { return login == other.login && password == other.password; }
    bool operator!=(const AuthData& other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(AuthData)
