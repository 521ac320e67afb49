// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QByteArray>
#include <QString>

/**
 * Qt's INI reader turns a value written as "@Variant(...)" or "@DateTime(...)" into an object
 * read from the binary data between the brackets, and some of Qt's object readers crash or
 * allocate without bound on data that is not theirs. None of the files read as INI here (desktop
 * entries, the display manager's configuration, the previous-user store) is ever written that way,
 * so a file that holds such a value is refused before the INI reader sees it.
 *
 * The check follows the reader's own unescaping (backslash escapes, quotes, continued lines), so
 * the value cannot be hidden by escaping it. It errs on the side of refusing: the marker found
 * anywhere in the file counts, unless it is the reader's own escape of a leading "@" ("@@").
 */
class VESTIBULE_COMMON_EXPORT IniValueCheck
{
public:
    static bool holdsSerialisedObject(const QByteArray& content);
    /// A file that cannot be read holds nothing; the INI reader then reads nothing either.
    static bool fileHoldsSerialisedObject(const QString& path);
};
