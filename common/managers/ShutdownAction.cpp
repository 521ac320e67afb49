// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ShutdownAction.h"

namespace
{

int registerShutdownAction()
{
    const int id = qRegisterMetaType<ShutdownAction>("ShutdownAction");
    // Lets a host or a script read the action out of a QVariant as the plain number it is.
    QMetaType::registerConverter<ShutdownAction, int>([](ShutdownAction action) { return static_cast<int>(action); });
    return id;
}

// Registered when the library loads, so queued connections can carry the action by name.
[[maybe_unused]] const int shutdownActionTypeId = registerShutdownAction();

} // namespace
