// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "TokenWatcher.h"

#include "SystemPaths.h"

#include <QFile>
#include <QFileInfo>

TokenWatcher* TokenWatcher::instance()
{
    // Deliberately never destroyed: managers may connect to it until the process ends.
    static TokenWatcher* watcher = new TokenWatcher;
    return watcher;
}

TokenWatcher::TokenWatcher()
    : QObject(nullptr)
{
}

QStringList TokenWatcher::start()
{
    if (m_filePath.isEmpty()) {
        m_filePath = SystemPaths::tokenFile();
        m_dirPath = SystemPaths::nimbDmConfigDir();
    }
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &TokenWatcher::dirChanged);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &TokenWatcher::fileChanged);

    if (QFileInfo::exists(m_filePath)) {
        watchFile();
        return readList();
    }
    watchDirectory();
    return QStringList();
}

QStringList TokenWatcher::parse(const QByteArray& content)
{
    const int nul = content.indexOf('\0');
    const QString text = QString::fromLocal8Bit(nul < 0 ? content : content.left(nul));
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TokenWatcher::dirChanged()
{
    QStringList users;
    if (QFileInfo::exists(m_filePath)) {
        watchFile();
        users = readList();
    }
    Q_EMIT tokenUsersChanged(users);
}

void TokenWatcher::fileChanged()
{
    QStringList users;
    if (QFileInfo::exists(m_filePath)) {
        users = readList();
        // An editor that replaces the file makes the watch follow the old inode: watch again.
        if (!m_watcher.files().contains(m_filePath))
            m_watcher.addPath(m_filePath);
    } else {
        watchDirectory();
    }
    Q_EMIT tokenUsersChanged(users);
}

QStringList TokenWatcher::readList() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    return parse(file.readAll());
}

void TokenWatcher::watchFile()
{
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    if (!m_watcher.files().contains(m_filePath))
        m_watcher.addPath(m_filePath);
}

void TokenWatcher::watchDirectory()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().contains(m_dirPath) && QFileInfo::exists(m_dirPath))
        m_watcher.addPath(m_dirPath);
}
