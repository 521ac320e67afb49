// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

/// The user who logged in last: the login name and the domain (empty for a local login).
struct UserStsData {
    QString username;
    QString domain;
};
