// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

/**
 * Asks with a fresh Dialog until the user gives an answer that passes the dialog's
 * checks. There is no way to cancel: closing the window counts as answering with what
 * was typed.
 */
class PinPrompt
{
public:
    /// Needs a QApplication. Returns the accepted PIN, never an empty one.
    static QString ask(bool currentPinMode);
};
