// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QProcess>

/**
 * A QProcess whose child leads a process group of its own, so that ending it also ends
 * whatever it started: a shell script that runs a long command, or a keyboard program
 * started through a wrapper, leaves nothing behind when the greeter stops it.
 */
class VESTIBULE_COMMON_EXPORT GroupedProcess : public QProcess
{
    Q_OBJECT
public:
    explicit GroupedProcess(QObject* parent = nullptr);
    /// Ends the whole group if the child still runs.
    ~GroupedProcess() override;

    /**
     * Kills every process of the child's group and waits for the child. Does nothing when
     * no child runs: once the child has been reaped its group number may be reused, so
     * the group is only signalled while the child is known to be alive or unreaped.
     */
    void killGroup();

protected:
    void setupChildProcess() override;
};
