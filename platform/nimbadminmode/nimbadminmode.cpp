// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "nimbadminmode.h"

#include "SystemPaths.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

namespace NimbAdmin
{

int Mode::getCurrentMode()
{
    const QString path = SystemPaths::securityLevelFile();
    // Only a regular file: opening a named pipe would block the greeter until someone writes.
    if (!QFileInfo(path).isFile())
        return -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;

    // A level is one digit with some whitespace around it; reading one byte past the limit
    // tells a longer file, which is no level file, without reading all of it.
    constexpr qint64 maxLength = 64;
    const QByteArray content = file.read(maxLength + 1);
    if (content.size() > maxLength)
        return -1;
    const QByteArray level = content.trimmed();
    if (level.size() != 1 || level.at(0) < '0' || level.at(0) > '2')
        return -1;
    return level.at(0) - '0';
}

} // namespace NimbAdmin
