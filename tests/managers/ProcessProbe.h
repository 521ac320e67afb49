// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "TestFiles.h"

#include <QFile>
#include <QList>
#include <QString>

/// Looks at processes that tests start through scripts, which note their ids in a file.
namespace ProcessProbe
{

/// Whether @p pid still runs: a zombie waiting for its parent has ended already.
inline bool isRunning(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    // The state letter follows the parenthesised command name, which may itself hold blanks.
    const int close = line.lastIndexOf(')');
    return close >= 0 && line.size() > close + 2 && line.at(close + 2) != 'Z' && line.at(close + 2) != 'X';
}

/// The numbers in @p path, one a line.
inline QList<qint64> idsIn(const QString& path)
{
    QList<qint64> ids;
    const QList<QByteArray> lines = TestFiles::read(path).split('\n');
    for (const QByteArray& line : lines) {
        if (!line.trimmed().isEmpty())
            ids << line.trimmed().toLongLong();
    }
    return ids;
}

/// How many of the processes listed in @p path still run.
inline int runningIn(const QString& path)
{
    int running = 0;
    for (qint64 pid : idsIn(path))
        running += isRunning(pid) ? 1 : 0;
    return running;
}

} // namespace ProcessProbe
