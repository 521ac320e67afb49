// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

namespace NimbAdmin
{

class Mode
{
public:
    /**
     * The machine's security level from SystemPaths::securityLevelFile(): 0 basic,
     * 1 enhanced, 2 maximum. -1 when it is unknown: the file is missing, unreadable, not a
     * regular file, or holds anything but one of those digits (whitespace around it aside).
     */
    static int getCurrentMode();
};

} // namespace NimbAdmin
