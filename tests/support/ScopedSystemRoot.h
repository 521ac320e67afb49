// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/**
 * A temporary directory that stands in for the machine's root while it lives: every
 * system path of the library resolves below it. The previous root comes back on
 * destruction, also when a test fails half-way.
 */
class ScopedSystemRoot
{
public:
    ScopedSystemRoot();
    ~ScopedSystemRoot();
    ScopedSystemRoot(const ScopedSystemRoot&) = delete;
    ScopedSystemRoot& operator=(const ScopedSystemRoot&) = delete;

    bool isValid() const;
    QString path() const;
    /// @p absolutePath ("/etc/...") inside this root.
    QString filePath(const QString& absolutePath) const;
    /// Creates the directory @p absolutePath inside this root, with its parents.
    QString makeDir(const QString& absolutePath) const;
    /// Writes @p content to @p absolutePath inside this root, creating directories; returns the real path.
    QString writeFile(const QString& absolutePath, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
    QString m_previousRoot;
};
