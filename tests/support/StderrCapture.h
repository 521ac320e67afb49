// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QTemporaryFile>

/// Collects what the process writes to standard error while it lives (file descriptor 2).
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    /// Everything written so far.
    QByteArray text();

private:
    QTemporaryFile m_file;
    int m_savedFd = -1;
};
