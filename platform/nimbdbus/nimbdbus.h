// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

/*
 * Sleep capabilities of the machine as logind reports them on the system bus (the bus at
 * DBUS_SYSTEM_BUS_ADDRESS when that is set). Each call opens its own connection, waits at
 * most a second for the answer and closes the connection again; it blocks the caller
 * meanwhile and never prints anything or ends the process.
 *
 * Each returns 1 when logind answers "yes", 0 for "no", "na" and "challenge" (the user
 * would have to authenticate first), and -1 when there is no answer to trust: no bus, no
 * logind, an error or malformed reply, an answer not listed here, or none within a second.
 */
int dbus_Logind_CanSuspend();
int dbus_Logind_CanHybridSleep();
int dbus_Logind_CanHibernate();
