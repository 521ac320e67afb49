// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SystemInfo.h"

#include <QDir>
#include <QLibraryInfo>

QString SystemInfo::fullPluginPath(const QString& name)
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    return QDir(QLibraryInfo::location(QLibraryInfo::LibrariesPath)).filePath(QStringLiteral("vestibule_%1").arg(name));
}

uid_t SystemInfo::intToUid_t(int value)
{
    return static_cast<uid_t>(value);
}

QStringList SystemInfo::pointToStringList(char** list)
{
    QStringList result;
    if (!list)
        return result;
    for (char** entry = list; *entry; ++entry)
        result.append(QString::fromUtf8(*entry));
    return result;
}
