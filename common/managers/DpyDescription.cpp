// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "DpyDescription.h"

namespace
{

// Registered by name when the library loads: the list travels in a signal whose
// signature spells the list type's own name.
[[maybe_unused]] const int dpyDescriptionTypeId = qRegisterMetaType<DpyDescription>("DpyDescription");
[[maybe_unused]] const int dpyDescriptionsTypeId = qRegisterMetaType<DpyDescriptions>("DpyDescriptions");

} // namespace

bool DpyDescription::operator==(const DpyDescription& other) const
{
    return display == other.display && from == other.from && user == other.user && session == other.session
        && vt == other.vt && flags == other.flags && detail == other.detail && caption == other.caption
        && current == other.current;
}
