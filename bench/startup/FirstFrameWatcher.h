// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

/// What one start of a program gave; the times count from just before the fork.
struct StartupRun {
    bool ok = false;
    /// Why the run failed, with the end of the program's output when it wrote any.
    QString failure;
    double mappedMs = 0;
    double firstFrameMs = 0;
    /// VmHWM of the process that owns the window, read after the settling time.
    double peakRssMiB = 0;
    /// The window's size when its first frame was painted.
    QSize window;
};

struct StartupLimits {
    /// How long a program has to map and paint its window before the run counts as failed.
    int timeoutMs = 20000;
    /// How long it runs on after its first frame before its peak RSS is read.
    int settleMs = 300;
};

class FirstFrameWatcherPrivate;

/// Starts programs on the X server of DISPLAY and watches that server from outside for the first
/// frame each one paints into its window.
///
/// Every top-level window created after a start gets a Damage object. The first window mapped
/// that belongs to the program (its _NET_WM_PID is the program or a process of its group, or,
/// when it sets none, it is new since the start) is the program's window; the first damage on
/// it after the map is its first painted frame. Qt creates its windows without a background, so
/// the server draws nothing into them on map: that damage is the program's own drawing, whether
/// it came as XPutImage or through shared memory.
class FirstFrameWatcher
{
public:
    /// Nullptr with @p error set when the server can't be reached or lacks the DAMAGE extension.
    static std::unique_ptr<FirstFrameWatcher> connect(QString* error);
    ~FirstFrameWatcher();

    QString displayName() const;
    QSize screenSize() const;

    /// Starts @p command (an absolute path and its arguments), waits for its first frame, lets it
    /// settle, reads its peak RSS and ends it with everything it started.
    StartupRun measure(const QStringList& command, const StartupLimits& limits);

private:
    explicit FirstFrameWatcher(std::unique_ptr<FirstFrameWatcherPrivate> d);
    const std::unique_ptr<FirstFrameWatcherPrivate> d;
};
