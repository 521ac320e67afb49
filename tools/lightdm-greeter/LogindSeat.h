// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "DpyDescription.h"

#include <QString>

/**
 * The seat this greeter runs on, through systemd-logind on the system bus: the sessions
 * running on its virtual terminals, switching to one of them, and hybrid sleep (which
 * LightDM's power interface lacks). Every call fails quietly with no logind around.
 */
class LogindSeat
{
public:
    /// True when the seat has virtual terminals that logind lets the greeter switch between.
    static bool canSwitch();
    /// The users' graphical and console sessions of this seat that run on a virtual terminal.
    static DpyDescriptions sessions();
    static bool switchTo(int vt, QString* error);
    static bool hybridSleep();
};
