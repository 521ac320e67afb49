// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>

/**
 * The accounts and groups the user-database tests share (for NssDatabase). Home
 * directories are "@DIR@/home/<name>".
 *
 * Accounts, in database order: root (0), daemon (1), bin (2), sys (3), svc (999),
 * anna (1000), boris (1001), clara (1002, primary group staff), dmitri (1003),
 * eva (1004), anna again (1005, a duplicate name), john.smith (1006), mary.jane.doe (1007),
 * felix (1008, primary group staff), grace (1009, in 300 extra groups), henrik (1010),
 * ivan (1011), julia (1012), kirill (1013), big (70000), edge (4294967294),
 * nobody (65534).
 *
 * Groups: root (0), staff (2000: members dmitri, eva by list; clara, felix by primary gid),
 * admins (2001: boris), wheel (2002: root, anna), many0..many299 (3000..3299: grace),
 * and a personal group per account.
 */
namespace TestUserDatabase
{

QByteArray passwd();
QByteArray group();

} // namespace TestUserDatabase
