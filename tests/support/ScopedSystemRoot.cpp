// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ScopedSystemRoot.h"

#include "SystemPaths.h"
#include "TestFiles.h"

#include <QDir>

ScopedSystemRoot::ScopedSystemRoot()
    : m_previousRoot(SystemPaths::root())
{
    SystemPaths::setRoot(m_dir.path());
}

ScopedSystemRoot::~ScopedSystemRoot()
{
    SystemPaths::setRoot(m_previousRoot);
}

bool ScopedSystemRoot::isValid() const
{
    return m_dir.isValid();
}

QString ScopedSystemRoot::path() const
{
    return m_dir.path();
}

QString ScopedSystemRoot::filePath(const QString& absolutePath) const
{
    return m_dir.path() + absolutePath;
}

QString ScopedSystemRoot::makeDir(const QString& absolutePath) const
{
    const QString path = filePath(absolutePath);
    QDir().mkpath(path);
    return path;
}

QString ScopedSystemRoot::writeFile(const QString& absolutePath, const QByteArray& content) const
{
    const QString path = filePath(absolutePath);
    TestFiles::write(path, content);
    return path;
}
