// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SessionDescription.h"

namespace
{

// Registered when the library loads, so queued connections can carry the record by name.
[[maybe_unused]] const int sessionDescriptionTypeId = qRegisterMetaType<SessionDescription>("SessionDescription");

} // namespace

bool SessionDescription::operator==(const SessionDescription& other) const
{
    return type == other.type && names == other.names && comments == other.comments && hidden == other.hidden
        && exec == other.exec && tryExec == other.tryExec && icon == other.icon && alias == other.alias;
}
