// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>

/**
 * Follows the token-user file, into which an outside agent writes the names of the users
 * whose hardware token is inserted. One per process, created on first use and never
 * destroyed. It watches the file while it exists and its directory while it does not,
 * never both, and announces the list after every change it is told of.
 */
class VESTIBULE_COMMON_EXPORT TokenWatcher : public QObject
{
    Q_OBJECT
public:
    static TokenWatcher* instance();

    /**
     * Connects the watcher's notifications and starts watching. Returns the current list.
     * Every call connects again, so each caller (one per users manager) should call it once.
     */
    QStringList start();

    /// Splits token-file content: up to the first NUL, at "\n", empty pieces dropped, nothing trimmed.
    static QStringList parse(const QByteArray& content);

Q_SIGNALS:
    void tokenUsersChanged(const QStringList& users);

public Q_SLOTS:
    void dirChanged();
    void fileChanged();

private:
    TokenWatcher();
    QStringList readList() const;
    void watchFile();
    void watchDirectory();

    QFileSystemWatcher m_watcher;
    QString m_filePath;
    QString m_dirPath;
};
