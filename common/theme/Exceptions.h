// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QException>
#include <QIODevice>
#include <QString>

/**
 * Root of the failures the theme framework throws. The host catches by reference and
 * shows fullDetails(), which is already translated. All classes are exported: with hidden
 * visibility an unexported type would not match a catch in another shared object.
 */
class VESTIBULE_COMMON_EXPORT DetailsException : public QException
{
public:
    DetailsException() = default;
    DetailsException(const DetailsException&) = default;
    DetailsException& operator=(const DetailsException&) = default;
    ~DetailsException() override;

    virtual QString fullDetails() const = 0;
};

/// A failure described by a ready message.
class VESTIBULE_COMMON_EXPORT CommonException : public DetailsException
{
public:
    explicit CommonException(const QString& message);
    ~CommonException() override;

    QString fullDetails() const override;

private:
    QString m_message;
};

/// A failure concerning one file; abstract, the subclasses say what went wrong.
class VESTIBULE_COMMON_EXPORT FileException : public DetailsException
{
public:
    explicit FileException(const QString& path);
    ~FileException() override;

    QString path() const;

private:
    QString m_path;
};

/// A file exists but could not be opened in the given mode.
class VESTIBULE_COMMON_EXPORT OpenFileException : public FileException
{
public:
    OpenFileException(const QString& path, QIODevice::OpenMode mode, const QString& details);
    ~OpenFileException() override;

    QIODevice::OpenMode mode() const;
    QString details() const;
    QString fullDetails() const override;

private:
    QIODevice::OpenMode m_mode;
    QString m_details;
};

/// A file that must be there is missing.
class VESTIBULE_COMMON_EXPORT FileNotExistsException : public FileException
{
public:
    explicit FileNotExistsException(const QString& path);
    ~FileNotExistsException() override;

    QString fullDetails() const override;
};

/// A plug-in library could not be loaded; offered to hosts, the library itself reports
/// plug-in failures as CommonException.
class VESTIBULE_COMMON_EXPORT PluginLoadException : public CommonException
{
public:
    PluginLoadException(const QString& path, const QString& details);
    ~PluginLoadException() override;

    QString path() const;
    QString fullDetails() const override;

private:
    QString m_path;
};
