// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LightDmBackend.h"

#include "ConnectionManager.h"
#include "ConsoleAuthManager.h"
#include "GreeterManagers.h"
#include "HostReport.h"
#include "LocalAuthManager.h"
#include "LogindSeat.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "UsersManager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLightDM/Power>
#include <QLightDM/UsersModel>
#include <QTimer>

namespace
{

bool mentions(const QString& text, std::initializer_list<const char*> words)
{
    for (const char* word : words) {
        if (text.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

/// PAM's words for a password that must be changed now (pam_unix, pam_pwquality, shadow).
bool announcesChange(const QString& text)
{
    return mentions(text, { "expired", "change your password", "must change", "password change" });
}

/// The prompts of a password change: the current password, the new one, and its repetition.
bool asksForChange(const QString& text)
{
    return mentions(text, { "new ", "new password", "current", "(current)", "retype", "old password" });
}

enum class ChangeRole { Old, New, Confirmation };

ChangeRole changeRole(const QString& prompt)
{
    if (mentions(prompt, { "retype", "again", "repeat", "confirm" }))
        return ChangeRole::Confirmation;
    if (mentions(prompt, { "current", "old" }))
        return ChangeRole::Old;
    return ChangeRole::New;
}

} // namespace

LightDmBackend::LightDmBackend(QLightDM::Greeter* greeter, QLightDM::UsersModel* users, QLightDM::PowerInterface* power,
    bool connected, GreeterManagers* managers, QObject* parent)
    : HostBackend(parent)
    , m_greeter(greeter)
    , m_users(users)
    , m_power(power)
    , m_connected(connected)
{
    connectAuthentication(HostBackend::managerOf<LocalAuthManager>(managers));
    connectUsers(HostBackend::managerOf<UsersManager>(managers));
    connectPower(managers);
    connectConnection(HostBackend::managerOf<ConnectionManager>(managers));
    if (auto* sessions = HostBackend::managerOf<SessionsManager>(managers)) {
        connect(sessions, &SessionsManager::setNextSessionTypeRequest, this,
            [this](const QString& type) { m_nextSession = type; });
    }
    if (auto* console = HostBackend::managerOf<ConsoleAuthManager>(managers)) {
        connect(console, &ConsoleAuthManager::consoleLoginRequest, this,
            [] { reportOnStderr(QStringLiteral("a console login was asked for; LightDM has none")); });
    }

    connect(m_greeter, &QLightDM::Greeter::showPrompt, this, &LightDmBackend::onPrompt);
    connect(m_greeter, &QLightDM::Greeter::showMessage, this, &LightDmBackend::onMessage);
    connect(m_greeter, &QLightDM::Greeter::authenticationComplete, this, &LightDmBackend::onAuthenticationComplete);
    // LightDM's own timer logs in even where no theme shows a countdown (the built-in form);
    // once the user touches the keyboard or the mouse, only the theme's countdown decides.
    connect(m_greeter, &QLightDM::Greeter::autologinTimerExpired, this, &LightDmBackend::onAutoLoginRequest);
    if (m_connected && !m_greeter->autologinUserHint().isEmpty())
        QCoreApplication::instance()->installEventFilter(this);
}

bool LightDmBackend::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
        QCoreApplication::instance()->removeEventFilter(this);
        m_greeter->cancelAutologin();
        break;
    default:
        break;
    }
    return HostBackend::eventFilter(watched, event);
}

LightDmBackend::~LightDmBackend()
{
    stop();
}

void LightDmBackend::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    QCoreApplication::instance()->removeEventFilter(this);
    m_password.clear();
    m_change = ChangeAnswers();
    // The greeter's signals outlive this backend when the host builds a fresh screen.
    disconnect(m_greeter, nullptr, this, nullptr);
}

void LightDmBackend::connectAuthentication(LocalAuthManager* auth)
{
    m_auth = auth;
    if (!auth)
        return;
    connect(auth, &LocalAuthManager::loginRequest, this, &LightDmBackend::onLoginRequest);
    connect(auth, &LocalAuthManager::autoLoginRequest, this, &LightDmBackend::onAutoLoginRequest);
    connect(auth, &LocalAuthManager::newPasswordInsertionCompleted, this,
        [this](const QString&, const QString& oldPassword, const QString& newPassword, const QString& confirmation) {
            onNewPassword(oldPassword, newPassword, confirmation);
        });
    connect(auth, &LocalAuthManager::newPasswordInsertionRejected, this, [this] {
        if (m_stage != Stage::PasswordChange)
            return;
        m_greeter->cancelAuthentication();
        fail();
    });
    connect(auth, &LocalAuthManager::sendStringToPam, this, &LightDmBackend::onExtraAnswer);
    connect(auth, &LocalAuthManager::sendAnswerToPam, this, &LightDmBackend::onGenericAnswer);
    connect(auth, &LocalAuthManager::enableGenericMode, this, [this] {
        m_generic = true;
        QTimer::singleShot(0, this, &LightDmBackend::startGenericConversation);
    });
}

void LightDmBackend::connectUsers(UsersManager* users)
{
    m_usersManager = users;
    if (!users)
        return;
    connect(users, &UsersManager::askPamForLastUserSession, this, [this](const QString& user) {
        if (!m_stopped)
            emit m_usersManager->updateLastUserSession(lastSessionOf(user));
    });
}

void LightDmBackend::connectPower(GreeterManagers* managers)
{
    if (auto* shutdown = HostBackend::managerOf<ShutdownManager>(managers))
        connect(shutdown, &ShutdownManager::shutdownRequest, this, &LightDmBackend::shutdown);
}

void LightDmBackend::connectConnection(ConnectionManager* connection)
{
    if (!connection)
        return;
    connect(connection, &ConnectionManager::switchDisplayRequest, this, [](int vt) {
        QString error;
        if (!LogindSeat::switchTo(vt, &error))
            reportOnStderr(QStringLiteral("cannot switch to the virtual terminal %1: %2").arg(vt).arg(error));
    });
    connect(connection, &ConnectionManager::displaySessionsRequest, this, [this, connection] {
        if (!m_stopped)
            emit connection->updateDisplaySessions(LogindSeat::sessions());
    });
    // The themes offer none of these, since the connection data says they are unavailable.
    const auto unavailable = [](const char* what) {
        return [what] {
            reportOnStderr(QStringLiteral("%1 was asked for; LightDM cannot do it").arg(QLatin1String(what)));
        };
    };
    connect(connection, &ConnectionManager::restartXServerRequest, this, unavailable("restarting the X server"));
    connect(connection, &ConnectionManager::exitConnectionRequest, this, unavailable("leaving the display"));
    connect(connection, &ConnectionManager::reloadToXDMCPDialog, this, unavailable("the XDMCP chooser"));
}

bool LightDmBackend::ready()
{
    if (m_stopped)
        return false;
    if (m_connected)
        return true;
    emit m_auth->pamErrorReceived(tr("The display manager cannot be reached."), false);
    emit m_auth->loginFailed();
    return false;
}

bool LightDmBackend::inConversation() const
{
    return m_stage != Stage::Idle && m_stage != Stage::GenericFailed;
}

void LightDmBackend::beginConversation(const QString& user)
{
    if (m_greeter->inAuthentication())
        m_greeter->cancelAuthentication();
    m_user = user;
    m_passwordSent = false;
    m_changeNotice = false;
    m_pendingChangePrompt.clear();
    m_change = ChangeAnswers();
}

void LightDmBackend::onLoginRequest(const AuthData& data)
{
    if (!ready())
        return;
    beginConversation(data.login);
    m_password = data.password;
    m_stage = Stage::Password;
    if (data.login.toUtf8().size() > maxAnswerBytes) {
        fail(tr("The user name is too long."));
        return;
    }
    m_greeter->authenticate(data.login);
}

void LightDmBackend::onAutoLoginRequest()
{
    // The theme's countdown and LightDM's timer may both run out: one login is enough.
    if (m_stage == Stage::AutoLogin || !ready())
        return;
    beginConversation(m_greeter->autologinUserHint());
    m_password.clear();
    m_stage = Stage::AutoLogin;
    m_greeter->authenticateAutologin();
}

void LightDmBackend::startGenericConversation()
{
    if (!ready())
        return;
    beginConversation(QString());
    m_stage = Stage::Generic;
    // Without a name PAM asks for one first, as on a console.
    m_greeter->authenticate();
}

void LightDmBackend::onPrompt(const QString& text, QLightDM::Greeter::PromptType type)
{
    if (m_stopped || !inConversation())
        return;
    const bool secret = type == QLightDM::Greeter::PromptTypeSecret;
    if (m_stage == Stage::Generic) {
        emit m_auth->requestReceived(text, !secret);
        return;
    }
    if (secret && !m_passwordSent && m_stage == Stage::Password) {
        m_passwordSent = true;
        respond(m_password);
        return;
    }
    if (secret && (m_stage == Stage::PasswordChange || m_changeNotice || asksForChange(text))) {
        const bool first = m_stage != Stage::PasswordChange;
        m_stage = Stage::PasswordChange;
        m_pendingChangePrompt = text;
        if (m_change.valid)
            answerChangePrompt();
        else if (first)
            emit m_auth->passwordChangeRequested(changeRole(text) == ChangeRole::Old);
        // Otherwise PAM refused the last new password: the dialog, still open, answers again.
        return;
    }
    emit m_auth->anotherRequestDialog(text, !secret);
}

void LightDmBackend::onMessage(const QString& text, QLightDM::Greeter::MessageType type)
{
    if (m_stopped || !inConversation())
        return;
    if (m_stage != Stage::Generic && m_stage != Stage::PasswordChange && announcesChange(text)) {
        m_changeNotice = true;
        emit m_auth->messageReceived(text);
        return;
    }
    if (type == QLightDM::Greeter::MessageTypeInfo) {
        emit m_auth->messageReceived(text);
        return;
    }
    if (m_stage == Stage::PasswordChange) {
        // PAM refused the new password; it asks again, and the dialog must be answered anew.
        m_change.valid = false;
        emit m_auth->pamErrorReceived(text, true);
        return;
    }
    emit m_auth->pamErrorReceived(text, false);
}

void LightDmBackend::onNewPassword(const QString& oldPassword, const QString& newPassword, const QString& confirmation)
{
    if (m_stopped || m_stage != Stage::PasswordChange)
        return;
    // A dialog that did not ask for the current password again means the one just given.
    m_change = { oldPassword.isEmpty() ? m_password : oldPassword, newPassword, confirmation, true };
    if (!m_pendingChangePrompt.isEmpty())
        answerChangePrompt();
}

void LightDmBackend::answerChangePrompt()
{
    const ChangeRole role = changeRole(m_pendingChangePrompt);
    m_pendingChangePrompt.clear();
    switch (role) {
    case ChangeRole::Old:
        respond(m_change.oldPassword);
        break;
    case ChangeRole::New:
        respond(m_change.newPassword);
        break;
    case ChangeRole::Confirmation:
        respond(m_change.confirmation);
        break;
    }
}

void LightDmBackend::onExtraAnswer(const QString& answer)
{
    if (m_stopped || m_stage != Stage::Password)
        return;
    respond(answer);
}

void LightDmBackend::onGenericAnswer(const QString& answer)
{
    if (m_stopped)
        return;
    if (m_stage == Stage::GenericFailed) {
        // The theme's "start again" once it has shown the failure.
        if (answer == QLatin1String("0"))
            startGenericConversation();
        return;
    }
    if (m_stage == Stage::Generic)
        respond(answer);
}

bool LightDmBackend::respond(const QString& answer)
{
    // LightDM's library silently drops a message that does not fit its buffer, and the
    // daemon would then wait for the answer for ever.
    if (answer.toUtf8().size() > maxAnswerBytes) {
        m_greeter->cancelAuthentication();
        fail(tr("The answer is too long: at most %1 bytes can be sent. Please start again.").arg(maxAnswerBytes));
        return false;
    }
    m_greeter->respond(answer);
    return true;
}

void LightDmBackend::onAuthenticationComplete()
{
    if (m_stopped || !inConversation())
        return;
    if (!m_greeter->isAuthenticated()) {
        fail();
        return;
    }
    const QString user = m_greeter->authenticationUser().isEmpty() ? m_user : m_greeter->authenticationUser();
    const QString session = m_stage == Stage::AutoLogin && !m_greeter->autologinSessionHint().isEmpty()
        ? m_greeter->autologinSessionHint()
        : sessionFor(user);
    m_password.clear();
    m_change = ChangeAnswers();
    if (!m_greeter->startSessionSync(session)) {
        // The greeter stays: one that quits here leaves LightDM waiting for ever.
        fail(tr("The session \"%1\" could not be started.").arg(session));
        return;
    }
    m_stage = Stage::Idle;
    emit m_auth->successLogin();
    emit sessionStarted(user, session);
}

void LightDmBackend::fail(const QString& message)
{
    m_stage = m_generic ? Stage::GenericFailed : Stage::Idle;
    m_password.clear();
    m_change = ChangeAnswers();
    m_pendingChangePrompt.clear();
    if (m_stopped)
        return;
    if (!message.isEmpty())
        emit m_auth->pamErrorReceived(message, false);
    emit m_auth->loginFailed();
}

QString LightDmBackend::lastSessionOf(const QString& user) const
{
    if (!m_users)
        return QString();
    for (int row = 0; row < m_users->rowCount(QModelIndex()); ++row) {
        const QModelIndex index = m_users->index(row, 0);
        if (index.data(QLightDM::UsersModel::NameRole).toString() == user)
            return index.data(QLightDM::UsersModel::SessionRole).toString();
    }
    return QString();
}

QString LightDmBackend::sessionFor(const QString& user) const
{
    if (!m_nextSession.isEmpty())
        return m_nextSession;
    const QString last = lastSessionOf(user);
    return last.isEmpty() ? m_greeter->defaultSessionHint() : last;
}

void LightDmBackend::shutdown(ShutdownAction action)
{
    if (m_stopped)
        return;
    bool done = false;
    switch (action) {
    case ShutdownAction::Shutdown:
        done = m_power->shutdown();
        break;
    case ShutdownAction::Reboot:
        done = m_power->restart();
        break;
    case ShutdownAction::Suspend:
        done = m_power->suspend();
        break;
    case ShutdownAction::Hibernate:
        done = m_power->hibernate();
        break;
    case ShutdownAction::HybridSleep:
        done = LogindSeat::hybridSleep();
        break;
    }
    if (!done)
        reportOnStderr(QStringLiteral("the power action %1 was refused").arg(int(action)));
}
