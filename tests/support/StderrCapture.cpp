// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "StderrCapture.h"

#include <QFile>

#include <cstdio>

#include <unistd.h>

StderrCapture::StderrCapture()
{
    if (!m_file.open())
        return;
    std::fflush(stderr);
    m_savedFd = dup(STDERR_FILENO);
    dup2(m_file.handle(), STDERR_FILENO);
}

StderrCapture::~StderrCapture()
{
    if (m_savedFd < 0)
        return;
    std::fflush(stderr);
    dup2(m_savedFd, STDERR_FILENO);
    close(m_savedFd);
}

QByteArray StderrCapture::text()
{
    std::fflush(stderr);
    // A second description of the file: moving the captured one would move standard error's offset too.
    QFile reader(m_file.fileName());
    if (!reader.open(QIODevice::ReadOnly))
        return QByteArray();
    return reader.readAll();
}
