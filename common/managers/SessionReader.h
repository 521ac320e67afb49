// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "SessionDescription.h"
#include "vestibule_common_export.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QRegularExpression;
class QSettings;

/**
 * Reads session desktop-entry files into SessionDescription records. The host decides
 * which directories to read and hands the result to SessionsManager.
 */
class VESTIBULE_COMMON_EXPORT SessionReader
{
public:
    SessionReader() = default;
    virtual ~SessionReader();

    /**
     * The session described by the file at @p path. Keys that are missing or cannot be
     * read stay empty; only a missing file is an error.
     * @throws FileNotExistsException when @p path does not exist
     */
    static SessionDescription create(const QString& path);

    /**
     * Every file with the complete suffix "desktop" in @p dirs, directory by directory in
     * the given order, files in the file system's own order. Nothing is filtered or merged;
     * a missing directory adds nothing.
     */
    static QList<SessionDescription> readDirs(const QStringList& dirs);
    /// The same for a null-terminated array of UTF-8 directory names (a null array reads nothing).
    static QList<SessionDescription> readDirs(const char** dirs);

    /**
     * The plain value of @p key under "" and its localised values under the locale that
     * the group "locale" of @p localeKey captures, from the settings' current group. The
     * expression is searched anywhere in each key; a later key overrides an earlier one.
     */
    static QMap<QString, QString> readLocaleStrings(
        const QSettings& settings, const QString& key, const QRegularExpression& localeKey);
};
