// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool TestFiles::write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

bool TestFiles::writeScript(const QString& path, const QByteArray& body)
{
    if (!write(path, QByteArrayLiteral("#!/bin/sh\n") + body))
        return false;
    return QFile::setPermissions(
        path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
}

QString TestFiles::writeScenario(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(QStringLiteral("scenario.yaml"));
    write(path, text);
    return path;
}

QByteArray TestFiles::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
