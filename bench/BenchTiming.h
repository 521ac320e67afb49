// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>

#include <algorithm>
#include <functional>
#include <vector>

/// Median wall time of @p repetitions runs of @p work, in milliseconds.
inline double medianMs(const std::function<void()>& work, int repetitions)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

/// Benches need no screen: Qt's offscreen platform unless the caller chose one.
inline void useOffscreenPlatformUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}
