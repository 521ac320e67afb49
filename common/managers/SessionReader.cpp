// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SessionReader.h"

#include "Exceptions.h"
#include "IniValueCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTextCodec>

#include <cstdio>

#include <new>

namespace
{

/**
 * The text of one value. The INI reader takes unquoted commas as list separators, so a
 * name such as "Plasma, Wayland" would come back as a list whose string form is empty;
 * joining the parts keeps the text readable instead of losing it.
 */
QString textValue(const QVariant& value)
{
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

QString textValue(const QSettings& settings, const QString& key)
{
    return textValue(settings.value(key));
}

} // namespace

SessionReader::~SessionReader() = default;

SessionDescription SessionReader::create(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw FileNotExistsException(path);

    SessionDescription session;
    session.type = info.baseName();
    if (IniValueCheck::fileHoldsSerialisedObject(path)) {
        std::fprintf(stderr, "vestibule: the session file '%s' holds a serialised Qt value; its keys are not read\n",
            qPrintable(path));
        return session;
    }

    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Desktop Entry"));
    settings.setIniCodec(QTextCodec::codecForLocale());

    static const QRegularExpression nameKey(QStringLiteral("Name\\s*\\[(?P<locale>\\w+)\\]"));
    static const QRegularExpression commentKey(QStringLiteral("Comment\\s*\\[(?P<locale>\\w+)\\]"));

    try {
        session.names = readLocaleStrings(settings, QStringLiteral("Name"), nameKey);
        session.comments = readLocaleStrings(settings, QStringLiteral("Comment"), commentKey);
        session.hidden = settings.value(QStringLiteral("Hidden"), false).toBool();
        session.exec = textValue(settings, QStringLiteral("Exec"));
        session.tryExec = textValue(settings, QStringLiteral("TryExec"));
        session.icon = textValue(settings, QStringLiteral("Icon"));
    } catch (const std::bad_alloc&) {
        // The INI reader takes a value written as "@Variant(...)" for a serialised Qt object
        // and throws when its length field is absurd, which would end the greeter at start-up.
        // No desktop entry is written that way: the file's keys count as unreadable.
        SessionDescription unreadable;
        unreadable.type = session.type;
        session = unreadable;
    }
    return session;
}

QList<SessionDescription> SessionReader::readDirs(const QStringList& dirs)
{
    QList<SessionDescription> sessions;
    for (const QString& dir : dirs) {
        const QFileInfoList files = QDir(dir).entryInfoList(QDir::Files, QDir::NoSort);
        for (const QFileInfo& file : files) {
            if (file.completeSuffix() != QLatin1String("desktop"))
                continue;
            try {
                sessions.append(create(file.absoluteFilePath()));
            } catch (const FileNotExistsException&) {
                // Removed between the listing and the reading (a package upgrade while
                // the greeter starts): the session is gone, which is no reason to fail.
            }
        }
    }
    return sessions;
}

QList<SessionDescription> SessionReader::readDirs(const char** dirs)
{
    QStringList list;
    for (const char** dir = dirs; dir && *dir; ++dir)
        list.append(QString::fromUtf8(*dir));
    return readDirs(list);
}

QMap<QString, QString> SessionReader::readLocaleStrings(
    const QSettings& settings, const QString& key, const QRegularExpression& localeKey)
{
    QMap<QString, QString> strings;
    const QStringList keys = settings.childKeys();
    for (const QString& candidate : keys) {
        if (candidate == key) {
            strings.insert(QString(), textValue(settings, candidate));
            continue;
        }
        const QRegularExpressionMatch match = localeKey.match(candidate);
        if (match.hasMatch())
            strings.insert(match.captured(QStringLiteral("locale")), textValue(settings, candidate));
    }
    return strings;
}
