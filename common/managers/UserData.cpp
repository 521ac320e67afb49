// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "UserData.h"

void UserData::clear()
{
    username = QString();
    fullName = QString();
    hostname = QString();
    logged = false;
    hasToken = false;
}

namespace
{

// Registered when the library loads, so signals can carry the records by these names.
[[maybe_unused]] const int userDataTypeId = qRegisterMetaType<UserData>("UserData");
[[maybe_unused]] const int usersDataTypeId = qRegisterMetaType<UsersData>("UsersData");

} // namespace
