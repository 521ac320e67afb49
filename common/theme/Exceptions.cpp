// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"

#include <QApplication>

DetailsException::~DetailsException() = default;

CommonException::CommonException(const QString& message)
    : m_message(message)
{
}

CommonException::~CommonException() = default;

QString CommonException::fullDetails() const
{
    return m_message;
}

FileException::FileException(const QString& path)
    : m_path(path)
{
}

FileException::~FileException() = default;

QString FileException::path() const
{
    return m_path;
}

OpenFileException::OpenFileException(const QString& path, QIODevice::OpenMode mode, const QString& details)
    : FileException(path)
    , m_mode(mode)
    , m_details(details)
{
}

OpenFileException::~OpenFileException() = default;

QIODevice::OpenMode OpenFileException::mode() const
{
    return m_mode;
}

QString OpenFileException::details() const
{
    return m_details;
}

QString OpenFileException::fullDetails() const
{
    return QStringLiteral("%1. %2.").arg(QApplication::tr("Can not open file '%1'").arg(path()), m_details);
}

FileNotExistsException::FileNotExistsException(const QString& path)
    : FileException(path)
{
}

FileNotExistsException::~FileNotExistsException() = default;

QString FileNotExistsException::fullDetails() const
{
    return QApplication::tr("File '%1' not exists").arg(path());
}

PluginLoadException::PluginLoadException(const QString& path, const QString& details)
    : CommonException(details)
    , m_path(path)
{
}

PluginLoadException::~PluginLoadException() = default;

QString PluginLoadException::path() const
{
    return m_path;
}

QString PluginLoadException::fullDetails() const
{
    return QApplication::tr("Can not load '%1' plugine. %2").arg(m_path, CommonException::fullDetails());
}
