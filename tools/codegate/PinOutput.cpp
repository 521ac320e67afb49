// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PinOutput.h"

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

PinOutput::PinOutput()
{
    std::fflush(stdout);
    m_descriptor = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    // Also when the caller gave us no standard output: descriptor 1 must not be handed
    // out to whatever the program opens next.
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
}

PinOutput::~PinOutput()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool PinOutput::write(const QString& pin)
{
    if (m_descriptor < 0)
        return false;
    const QByteArray bytes = pin.toUtf8();
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(m_descriptor, bytes.constData() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return false;
        written += result;
    }
    // Unbuffered: once write() has taken every byte, nothing is left to flush.
    return true;
}
