// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Utils.h"

#include <QFile>
#include <QLocale>

#include <memory>

QFile* Utils::openFile(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->exists())
        throw FileNotExistsException(path);
    if (!file->open(QIODevice::ReadOnly))
        throw OpenFileException(path, QIODevice::ReadOnly, file->errorString());
    return file.release();
}

QString Utils::shortSystemLocale()
{
    return QLocale::system().name().left(2);
}
