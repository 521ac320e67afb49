// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SessionsManager.h"

const QString SessionsManager::ID = QStringLiteral("sessions");

SessionsManager::SessionsManager(const QList<SessionDescription>& sessions, QObject* parent)
    : QObject(parent)
    , Manager(ID)
{
    for (const SessionDescription& session : sessions)
        m_sessions.insert(session.type, session);
}

SessionsManager::~SessionsManager() = default;

QMap<QString, SessionDescription>& SessionsManager::availableSessions()
{
    return m_sessions;
}
const QMap<QString, SessionDescription>& SessionsManager::availableSessions() const
{
    return m_sessions;
}

void SessionsManager::setNextSessionType(const QString& type)
{
    Q_EMIT setNextSessionTypeRequest(type);
}
