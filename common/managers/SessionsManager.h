// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "Manager.h"
#include "SessionDescription.h"
#include "vestibule_common_export.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

/**
 * The session types the user may choose from, keyed by type, and the channel through
 * which the chosen type reaches the host before the login.
 */
class VESTIBULE_COMMON_EXPORT SessionsManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "sessions"

    /// A later description with the same type replaces an earlier one; nothing is filtered.
    explicit SessionsManager(const QList<SessionDescription>& sessions, QObject* parent = nullptr);
    ~SessionsManager() override;

    /// The sessions by type; the theme writes each entry's alias through this reference.
    QMap<QString, SessionDescription>& availableSessions();
    const QMap<QString, SessionDescription>& availableSessions() const;

Q_SIGNALS:
    /// To the host: start @p type at the next login.
    void setNextSessionTypeRequest(const QString& type);

public Q_SLOTS:
    /// Emits setNextSessionTypeRequest(@p type), also for an empty type.
    void setNextSessionType(const QString& type);

private:
    QMap<QString, SessionDescription> m_sessions;
};
