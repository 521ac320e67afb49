// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

/// Writes @p text to standard error after the program's name: what a host has to tell the
/// administrator and no user would see (a display manager keeps it in the greeter's log).
void reportOnStderr(const QString& text);
