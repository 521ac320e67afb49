// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QMetaType>
#include <QtGlobal>

/**
 * A power action the greeter may ask the host for. The numbers are the interface to the
 * host and travel unchanged in ShutdownManager::shutdownRequest; 2 is unassigned.
 * Scoped so that the short names stay out of the global namespace of every includer.
 */
enum class ShutdownAction : qint32 {
    Shutdown = 0,
    Reboot = 1,
    Suspend = 3,
    HybridSleep = 4,
    Hibernate = 5,
};

Q_DECLARE_METATYPE(ShutdownAction)
