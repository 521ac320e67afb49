// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AuthData.h"
#include "HostBackend.h"
#include "ShutdownAction.h"

#include <QLightDM/Greeter>
#include <QString>

class ConnectionManager;
class GreeterManagers;
class LocalAuthManager;
class UsersManager;

namespace QLightDM
{
class PowerInterface;
class UsersModel;
} // namespace QLightDM

/**
 * Answers the managers' requests through LightDM: each login becomes a PAM conversation
 * of the daemon, whose prompts and messages go to the theme, and an authenticated user's
 * session is started by the daemon. The standard theme's login is one password and maybe
 * a password change or a further question; the generic theme sees every prompt.
 */
class LightDmBackend : public HostBackend
{
    Q_OBJECT
public:
    /// The longest answer, in UTF-8 bytes, that LightDM's library can still carry to the daemon.
    static constexpr int maxAnswerBytes = 1000;

    /**
     * @p greeter has connected to the daemon when @p connected says so; otherwise every login
     * fails with a message. @p users gives each user's last session, @p power the power actions.
     */
    LightDmBackend(QLightDM::Greeter* greeter, QLightDM::UsersModel* users, QLightDM::PowerInterface* power,
        bool connected, GreeterManagers* managers, QObject* parent = nullptr);
    ~LightDmBackend() override;

    void stop() override;

protected:
    /// The first key or button press stops LightDM's own auto-login timer.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Stage {
        Idle,
        Password, ///< a login runs; its first secret prompt gets the password
        PasswordChange, ///< PAM asks for a new password; the theme's dialog answers
        Generic, ///< the generic theme answers every prompt
        GenericFailed, ///< the generic conversation failed; "0" starts a new one
        AutoLogin,
    };

    void connectAuthentication(LocalAuthManager* auth);
    void connectUsers(UsersManager* users);
    void connectPower(GreeterManagers* managers);
    void connectConnection(ConnectionManager* connection);

    void onLoginRequest(const AuthData& data);
    void onAutoLoginRequest();
    void onPrompt(const QString& text, QLightDM::Greeter::PromptType type);
    void onMessage(const QString& text, QLightDM::Greeter::MessageType type);
    void onAuthenticationComplete();
    void onNewPassword(const QString& oldPassword, const QString& newPassword, const QString& confirmPassword);
    void onExtraAnswer(const QString& answer);
    void onGenericAnswer(const QString& answer);
    void startGenericConversation();
    /// Answers the daemon's pending prompt; refuses (and cancels the login) what cannot be carried.
    bool respond(const QString& answer);
    /// Ends the login in progress without a session, telling the theme @p message first if given.
    void fail(const QString& message = QString());
    void beginConversation(const QString& user);
    bool ready();
    bool inConversation() const;
    void answerChangePrompt();
    QString lastSessionOf(const QString& user) const;
    QString sessionFor(const QString& user) const;
    void shutdown(ShutdownAction action);

    QLightDM::Greeter* m_greeter;
    QLightDM::UsersModel* m_users;
    QLightDM::PowerInterface* m_power;
    bool m_connected;
    LocalAuthManager* m_auth = nullptr;
    UsersManager* m_usersManager = nullptr;
    Stage m_stage = Stage::Idle;
    bool m_generic = false;
    bool m_passwordSent = false;
    bool m_changeNotice = false; ///< PAM said the password must be changed
    bool m_stopped = false;
    QString m_user;
    QString m_password; ///< of the login in progress, until its conversation ends
    QString m_nextSession; ///< chosen through the theme
    QString m_pendingChangePrompt; ///< a password-change prompt still waiting for the dialog's answers
    struct ChangeAnswers {
        QString oldPassword;
        QString newPassword;
        QString confirmation;
        bool valid = false;
    } m_change;
};
