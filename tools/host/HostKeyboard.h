// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

/// The keyboard of the X server, as every host sets it up before the first screen.
class HostKeyboard
{
public:
    /**
     * Reads the layouts and routes the X server's keyboard events to the keyboard object,
     * once per process. A keyboard that cannot be read is reported on standard error and the
     * screen goes on without layout updates.
     */
    static void init();
};
