// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <sys/types.h>

/// A program the start-up bench runs: forked into a process group of its own, its standard
/// output and error kept in memory. Stopping it, or destroying this, ends the whole group and
/// reaps what it leaves, so that no run leaves a process or a zombie behind.
class StartedProgram
{
public:
    using Clock = std::chrono::steady_clock;

    /// Makes this process the reaper of whatever its programs leave behind, and has SIGINT,
    /// SIGTERM and SIGHUP end the running program's group before they end this process.
    static void installCleanup();
    /// Kills the running program's group at once; fit for a signal handler.
    static void killRunning();
    /// The peak resident set (VmHWM) of process @p pid in MiB, 0 when that can't be read.
    static double peakRssMiB(pid_t pid);

    /// Starts @p command, whose first element is an absolute path; pid() is -1 when fork failed.
    explicit StartedProgram(const QStringList& command);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    pid_t pid() const { return m_pid; }
    /// Taken just before the fork.
    Clock::time_point startTime() const { return m_start; }
    /// The last lines it wrote, which usually say why it failed.
    QString outputTail() const;

    /// Whether it has ended by itself; @p status then says how.
    bool exited(QString* status);
    /// SIGTERM to the group, SIGKILL after five seconds; returns how it ended when that was not
    /// the clean end SIGTERM should give, an empty string otherwise.
    QString stop();

private:
    pid_t m_pid = -1;
    int m_output = -1;
    bool m_reaped = false;
    Clock::time_point m_start;
};
