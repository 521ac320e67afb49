// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QString>

#include <cstdint>

struct passwd;

/// One account of the system user database, with its text fields decoded as UTF-8.
struct VESTIBULE_COMMON_EXPORT PasswdLine {
    QString name;
    QString passwd;
    uint32_t uid = 0;
    uint32_t gid = 0;
    QString gecos;
    QString dir;
    QString shell;

    /// An account was found: the name is not empty.
    bool isValid() const { return !name.isEmpty(); }

    /// Converts a C library entry; null text fields become empty strings.
    static PasswdLine fromPasswd(const struct passwd& entry);
};
