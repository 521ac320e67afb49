// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "GroupedProcess.h"

#include <signal.h>
#include <unistd.h>

namespace
{

// Killed processes never need long; the bound only keeps a wedged one from freezing the greeter.
constexpr int killWaitMs = 5000;

} // namespace

GroupedProcess::GroupedProcess(QObject* parent)
    : QProcess(parent)
{
}

GroupedProcess::~GroupedProcess()
{
    killGroup();
}

void GroupedProcess::killGroup()
{
    if (state() == QProcess::NotRunning)
        return;
    const qint64 pid = processId();
    if (pid > 0)
        ::kill(static_cast<pid_t>(-pid), SIGKILL);
    kill();
    waitForFinished(killWaitMs);
}

void GroupedProcess::setupChildProcess()
{
    // Runs in the child between fork and exec: only async-signal-safe calls belong here.
    ::setpgid(0, 0);
}
