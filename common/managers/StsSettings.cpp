// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "StsSettings.h"

#include "IniValueCheck.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>

#include <cstdio>
#include <new>

StsSettings::StsSettings(const QString& fileName, const QString& key, const QString& separator)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
    , m_key(key)
    , m_separator(separator)
{
    m_settings->beginGroup(QStringLiteral("PrevUser"));
}

StsSettings::~StsSettings() = default;

UserStsData StsSettings::getPrevUserData() const
{
    if (IniValueCheck::fileHoldsSerialisedObject(m_settings->fileName()))
        return UserStsData();
    QString value;
    try {
        value = m_settings->value(m_key).toString();
    } catch (const std::bad_alloc&) {
        // The INI reader takes a value written as "@Variant(...)" for a serialised Qt object
        // and throws on an absurd length; no store of ours is written so: nobody is stored.
        return UserStsData();
    }
    static const QRegularExpression pattern(QStringLiteral("(?P<username>.*?)@(?P<domain>.*)"));
    const QRegularExpressionMatch match = pattern.match(value);
    if (match.hasMatch())
        return UserStsData { match.captured(QStringLiteral("username")), match.captured(QStringLiteral("domain")) };
    return UserStsData { value, QString() };
}

void StsSettings::savePrevUserData(const UserStsData& data)
{
    const bool withDomain = !data.domain.isEmpty() && !m_separator.isEmpty();
    const QString fileName = m_settings->fileName();
    bool unreadable = IniValueCheck::fileHoldsSerialisedObject(fileName);
    if (!unreadable) {
        // Writing reads the whole file again when the settings object syncs, where an
        // exception ends the process: every value of every group must be readable first.
        m_settings->endGroup();
        try {
            for (const QString& key : m_settings->allKeys())
                m_settings->value(key);
        } catch (const std::bad_alloc&) {
            unreadable = true;
        }
        m_settings->beginGroup(QStringLiteral("PrevUser"));
    }
    if (unreadable) {
        // The store only ever holds the last user, who is about to be written anew.
        std::fprintf(stderr, "vestibule: the previous-user store '%s' cannot be read; it is written anew\n",
            qPrintable(fileName));
        m_settings.reset();
        QFile::remove(fileName);
        m_settings = std::make_unique<QSettings>(fileName, QSettings::IniFormat);
        m_settings->beginGroup(QStringLiteral("PrevUser"));
    }
    m_settings->setValue(m_key, withDomain ? data.username + m_separator + data.domain : data.username);
    m_settings->sync();
    // A store that cannot be written must not pass silently: the next start would
    // preselect the wrong user.
    if (m_settings->status() != QSettings::NoError) {
        std::fprintf(
            stderr, "vestibule: cannot write the previous-user store '%s'\n", qPrintable(m_settings->fileName()));
    }
}
