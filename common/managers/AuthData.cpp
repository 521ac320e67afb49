// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "AuthData.h"

namespace
{

// Registered when the library loads, so queued connections can carry the record by name.
[[maybe_unused]] const int authDataTypeId = qRegisterMetaType<AuthData>("AuthData");

} // namespace
