// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "UserIcon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <sys/stat.h>

namespace
{

QMap<QString, QIcon> adminFaces(const QString& facesDir)
{
    QMap<QString, QIcon> faces;
    const QFileInfoList files = QDir(facesDir).entryInfoList(QDir::Files);
    for (const QFileInfo& file : files) {
        if (file.completeSuffix() == QLatin1String("face.icon"))
            faces.insert(file.baseName(), QIcon(file.absoluteFilePath()));
    }
    return faces;
}

QMap<QString, QIcon> homeFaces()
{
    QMap<QString, QIcon> faces;
    setpwent();
    while (const struct passwd* entry = getpwent()) {
        if (!entry->pw_dir || !*entry->pw_dir)
            continue;
        // Most homes have no face: a plain stat on the bytes keeps the walk cheap for large databases.
        const QByteArray face = QByteArray(entry->pw_dir) + "/.face.icon";
        struct stat info;
        if (::stat(face.constData(), &info) == 0 && S_ISREG(info.st_mode))
            faces.insert(QString::fromUtf8(entry->pw_name), QIcon(QFile::decodeName(face)));
    }
    endpwent();
    return faces;
}

void addAll(QMap<QString, QIcon>& target, const QMap<QString, QIcon>& faces)
{
    for (auto it = faces.cbegin(); it != faces.cend(); ++it)
        target.insert(it.key(), it.value());
}

} // namespace

QMap<QString, QIcon> UserIcon::getUserIcons(const QString& facesDir, const FaceSource& source)
{
    QMap<QString, QIcon> result;
    const QFileInfo defaultFace(QDir(facesDir).filePath(QStringLiteral(".default.face.icon")));
    if (defaultFace.exists())
        result.insert(QString(), QIcon(defaultFace.absoluteFilePath()));

    const QMap<QString, QIcon> admin = source != UserOnly ? adminFaces(facesDir) : QMap<QString, QIcon>();
    if (source == AdminOnly) {
        addAll(result, admin);
        return result;
    }

    // The set added later wins for a user who has a face in both places.
    const QMap<QString, QIcon> home = homeFaces();
    switch (source) {
    case PreferAdmin:
        addAll(result, home);
        addAll(result, admin);
        break;
    case PreferUser:
        addAll(result, admin);
        addAll(result, home);
        break;
    case UserOnly:
        addAll(result, home);
        break;
    default:
        break;
    }
    return result;
}
