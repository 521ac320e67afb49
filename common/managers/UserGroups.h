// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

namespace Utils
{

/**
 * Whether @p userName belongs to @p groupName, as primary or supplementary group (note
 * the order: group first). Failures are reported on standard error and answer false.
 */
VESTIBULE_COMMON_EXPORT bool isUserNameInGroup(const char* groupName, const char* userName);

} // namespace Utils
