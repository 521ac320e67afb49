// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AuthData.h"
#include "HostBackend.h"
#include "Scenario.h"
#include "ShutdownAction.h"

#include <QVariantMap>

class GreeterManagers;
class LocalAuthManager;
class UsersManager;
class ConnectionManager;

/**
 * Answers every request of the managers the way the display manager and PAM would, as the
 * scenario describes each account: success, a wrong password, an expired password, an extra
 * prompt, a message, a locked account, or a whole PAM conversation for the generic theme.
 * Power, console and display requests are only reported: nothing is ever shut down or
 * switched. Each request and answer goes to the event log, without any secret.
 */
class SimulatedBackend : public HostBackend
{
    Q_OBJECT
public:
    SimulatedBackend(const Scenario& scenario, GreeterManagers* managers, QObject* parent = nullptr);
    ~SimulatedBackend() override;

    void stop() override;

private:
    enum class Stage { Idle, ExtraPrompt, PasswordChange, Conversation, ConversationFailed };

    void connectUsers(UsersManager* users);
    void connectAuthentication(LocalAuthManager* auth);
    void connectConnection(ConnectionManager* connection);

    void onLoginRequest(const AuthData& data);
    void onNewPassword(
        const QString& login, const QString& oldPassword, const QString& newPassword, const QString& confirmPassword);
    void onExtraAnswer(const QString& answer);
    void onConversationAnswer(const QString& answer);
    void startConversation();
    void continueConversation();
    void fail(const QString& reason);
    void succeed(const QString& user);
    void report(const QString& event, const QVariantMap& fields = QVariantMap()) const;

    /// The account a login names, with or without its domain.
    const ScenarioAccount* accountFor(const QString& login) const;
    QString sessionFor(const QString& user) const;

    Scenario m_scenario;
    LocalAuthManager* m_auth = nullptr;
    UsersManager* m_users = nullptr;
    Stage m_stage = Stage::Idle;
    QString m_user; ///< the account of the login in progress
    QString m_nextSession;
    QList<ConversationStep> m_steps; ///< what is left of the conversation
    bool m_stopped = false;
};
