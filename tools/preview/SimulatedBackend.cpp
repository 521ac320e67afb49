// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SimulatedBackend.h"

#include "ConnectionManager.h"
#include "ConsoleAuthManager.h"
#include "EventLog.h"
#include "GreeterManagers.h"
#include "LocalAuthManager.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "UsersManager.h"

#include <QTimer>
#include <QUuid>

namespace
{

// PAM takes a moment to answer; the screen shows its busy state meanwhile, as on a machine.
constexpr int pamDelayMs = 250;

QString actionName(ShutdownAction action)
{
    switch (action) {
    case ShutdownAction::Shutdown:
        return QStringLiteral("poweroff");
    case ShutdownAction::Reboot:
        return QStringLiteral("reboot");
    case ShutdownAction::Suspend:
        return QStringLiteral("suspend");
    case ShutdownAction::HybridSleep:
        return QStringLiteral("hybrid-sleep");
    case ShutdownAction::Hibernate:
        return QStringLiteral("hibernate");
    }
    return QStringLiteral("unknown");
}

} // namespace

SimulatedBackend::SimulatedBackend(const Scenario& scenario, GreeterManagers* managers, QObject* parent)
    : HostBackend(parent)
    , m_scenario(scenario)
{
    connectUsers(HostBackend::managerOf<UsersManager>(managers));
    connectAuthentication(HostBackend::managerOf<LocalAuthManager>(managers));
    connectConnection(HostBackend::managerOf<ConnectionManager>(managers));

    if (auto* sessions = HostBackend::managerOf<SessionsManager>(managers)) {
        connect(sessions, &SessionsManager::setNextSessionTypeRequest, this, [this](const QString& type) {
            m_nextSession = type;
            report(QStringLiteral("setNextSessionTypeRequest"), { { QStringLiteral("session"), type } });
        });
    }
    if (auto* shutdown = HostBackend::managerOf<ShutdownManager>(managers)) {
        connect(shutdown, &ShutdownManager::shutdownRequest, this, [this](ShutdownAction action) {
            report(QStringLiteral("shutdownRequest"),
                { { QStringLiteral("action"), actionName(action) },
                    { QStringLiteral("done"), QStringLiteral("nothing, this is a preview") } });
        });
    }
    if (auto* console = HostBackend::managerOf<ConsoleAuthManager>(managers)) {
        connect(console, &ConsoleAuthManager::consoleLoginRequest, this,
            [this] { report(QStringLiteral("consoleLoginRequest")); });
    }
}

SimulatedBackend::~SimulatedBackend() = default;

void SimulatedBackend::stop()
{
    m_stopped = true;
}

void SimulatedBackend::report(const QString& event, const QVariantMap& fields) const
{
    if (!m_stopped)
        EventLog::write(event, fields);
}

void SimulatedBackend::connectUsers(UsersManager* users)
{
    m_users = users;
    if (!users)
        return;
    connect(users, &UsersManager::askPamForLastUserSession, this, [this](const QString& user) {
        const ScenarioAccount* account = accountFor(user);
        const QString session = account ? account->lastSession : QString();
        report(QStringLiteral("askPamForLastUserSession"),
            { { QStringLiteral("user"), user }, { QStringLiteral("session"), session } });
        if (!m_stopped)
            emit m_users->updateLastUserSession(session);
    });
}

void SimulatedBackend::connectAuthentication(LocalAuthManager* auth)
{
    m_auth = auth;
    if (!auth)
        return;
    connect(auth, &LocalAuthManager::loginRequest, this, &SimulatedBackend::onLoginRequest);
    connect(auth, &LocalAuthManager::autoLoginRequest, this, [this] {
        report(QStringLiteral("autoLoginRequest"), { { QStringLiteral("user"), m_auth->autoLoginUser() } });
        succeed(m_auth->autoLoginUser());
    });
    connect(auth, &LocalAuthManager::newPasswordInsertionCompleted, this, &SimulatedBackend::onNewPassword);
    connect(auth, &LocalAuthManager::newPasswordInsertionRejected, this, [this] {
        report(QStringLiteral("newPasswordInsertionRejected"), { { QStringLiteral("user"), m_user } });
        fail(QStringLiteral("password change cancelled"));
    });
    connect(auth, &LocalAuthManager::sendStringToPam, this, &SimulatedBackend::onExtraAnswer);
    connect(auth, &LocalAuthManager::sendAnswerToPam, this, &SimulatedBackend::onConversationAnswer);
    connect(auth, &LocalAuthManager::enableGenericMode, this, [this] {
        report(QStringLiteral("enableGenericMode"));
        QTimer::singleShot(0, this, &SimulatedBackend::startConversation);
    });
}

void SimulatedBackend::connectConnection(ConnectionManager* connection)
{
    if (!connection)
        return;
    connect(connection, &ConnectionManager::restartXServerRequest, this,
        [this] { report(QStringLiteral("restartXServerRequest")); });
    connect(connection, &ConnectionManager::exitConnectionRequest, this,
        [this] { report(QStringLiteral("exitConnectionRequest")); });
    connect(connection, &ConnectionManager::switchDisplayRequest, this, [this](int vt) {
        report(QStringLiteral("switchDisplayRequest"), { { QStringLiteral("vt"), vt } });
    });
    connect(connection, &ConnectionManager::reloadToXDMCPDialog, this,
        [this] { report(QStringLiteral("reloadToXDMCPDialog")); });
    connect(connection, &ConnectionManager::displaySessionsRequest, this, [this, connection] {
        DpyDescriptions sessions;
        for (const ScenarioDisplay& display : qAsConst(m_scenario.displays)) {
            DpyDescription session;
            session.caption = display.caption;
            session.detail = display.detail;
            session.vt = display.vt;
            session.current = display.current;
            sessions << session;
        }
        report(QStringLiteral("displaySessionsRequest"), { { QStringLiteral("sessions"), sessions.size() } });
        if (!m_stopped)
            emit connection->updateDisplaySessions(sessions);
    });
}

const ScenarioAccount* SimulatedBackend::accountFor(const QString& login) const
{
    if (const ScenarioAccount* account = m_scenario.account(login))
        return account;
    // A domain login carries the domain before or after the name.
    const int at = login.indexOf(m_scenario.separator);
    if (m_scenario.separator.isEmpty() || at < 0)
        return nullptr;
    const QString name = m_scenario.prefixDomain ? login.mid(at + m_scenario.separator.size()) : login.left(at);
    return m_scenario.account(name);
}

QString SimulatedBackend::sessionFor(const QString& user) const
{
    if (!m_nextSession.isEmpty())
        return m_nextSession;
    const ScenarioAccount* account = accountFor(user);
    if (account && !account->lastSession.isEmpty())
        return account->lastSession;
    return m_scenario.defaultSession;
}

void SimulatedBackend::onLoginRequest(const AuthData& data)
{
    report(QStringLiteral("loginRequest"),
        { { QStringLiteral("user"), data.login }, { QStringLiteral("session"), sessionFor(data.login) } });
    m_user = data.login;
    m_stage = Stage::Idle;
    const ScenarioAccount* account = accountFor(data.login);
    const bool passwordless = account && account->noPassword && data.password.isEmpty();
    QTimer::singleShot(pamDelayMs, this, [this, account, passwordless, password = data.password] {
        if (m_stopped)
            return;
        if (!account) {
            fail(QStringLiteral("unknown user"));
            return;
        }
        if (!account->lockedMessage.isEmpty()) {
            report(QStringLiteral("pamErrorReceived"), { { QStringLiteral("message"), account->lockedMessage } });
            emit m_auth->pamErrorReceived(account->lockedMessage, false);
            fail(QStringLiteral("account locked"));
            return;
        }
        if (!passwordless && password != account->password) {
            fail(QStringLiteral("wrong password"));
            return;
        }
        if (account->expired) {
            m_stage = Stage::PasswordChange;
            report(QStringLiteral("passwordChangeRequested"),
                { { QStringLiteral("user"), account->login }, { QStringLiteral("askOld"), account->expiredAskOld } });
            emit m_auth->passwordChangeRequested(account->expiredAskOld);
            return;
        }
        if (!account->extraPrompt.isEmpty()) {
            m_stage = Stage::ExtraPrompt;
            report(QStringLiteral("anotherRequestDialog"), { { QStringLiteral("prompt"), account->extraPrompt } });
            emit m_auth->anotherRequestDialog(account->extraPrompt, account->extraPromptEcho);
            return;
        }
        if (!account->message.isEmpty()) {
            report(QStringLiteral("messageReceived"), { { QStringLiteral("message"), account->message } });
            emit m_auth->messageReceived(account->message);
        }
        succeed(account->login);
    });
}

void SimulatedBackend::onNewPassword(
    const QString& login, const QString& oldPassword, const QString& newPassword, const QString& confirmPassword)
{
    report(QStringLiteral("newPasswordInsertionCompleted"), { { QStringLiteral("user"), login } });
    const ScenarioAccount* account = accountFor(login);
    if (m_stopped || m_stage != Stage::PasswordChange || !account)
        return;
    QString error;
    if (oldPassword != account->password)
        error = tr("The current password is wrong.");
    else if (newPassword.isEmpty() || newPassword != confirmPassword)
        error = tr("The new passwords do not match.");
    else if (newPassword == oldPassword)
        error = tr("The new password must differ from the old one.");
    else if (newPassword.size() < 6)
        error = tr("The new password is too short: at least 6 characters.");
    if (!error.isEmpty()) {
        report(QStringLiteral("pamErrorReceived"), { { QStringLiteral("message"), error } });
        emit m_auth->pamErrorReceived(error, true);
        return;
    }
    // The change holds for the rest of this run, as it would on the machine.
    for (ScenarioAccount& changed : m_scenario.accounts) {
        if (changed.login == account->login) {
            changed.password = newPassword;
            changed.expired = false;
        }
    }
    succeed(login);
}

void SimulatedBackend::onExtraAnswer(const QString& answer)
{
    // The answer itself is a secret: only that one came.
    report(QStringLiteral("sendStringToPam"), { { QStringLiteral("user"), m_user } });
    const ScenarioAccount* account = accountFor(m_user);
    if (m_stopped || m_stage != Stage::ExtraPrompt || !account)
        return;
    m_stage = Stage::Idle;
    if (answer != account->extraAnswer) {
        fail(QStringLiteral("wrong answer to the extra prompt"));
        return;
    }
    succeed(account->login);
}

void SimulatedBackend::startConversation()
{
    if (m_stopped)
        return;
    m_stage = Stage::Conversation;
    m_user.clear();
    ConversationStep login;
    login.text = tr("login:");
    login.echo = true;
    m_steps = { login };
    continueConversation();
}

void SimulatedBackend::continueConversation()
{
    while (!m_steps.isEmpty() && !m_stopped) {
        const ConversationStep step = m_steps.first();
        switch (step.kind) {
        case ConversationStep::Kind::Prompt:
            report(QStringLiteral("requestReceived"),
                { { QStringLiteral("prompt"), step.text }, { QStringLiteral("echo"), step.echo } });
            emit m_auth->requestReceived(step.text, step.echo);
            return;
        case ConversationStep::Kind::Message:
            report(QStringLiteral("messageReceived"), { { QStringLiteral("message"), step.text } });
            emit m_auth->messageReceived(step.text);
            break;
        case ConversationStep::Kind::Error:
            // PAM reports why it refuses, then the conversation has failed.
            report(QStringLiteral("pamErrorReceived"), { { QStringLiteral("message"), step.text } });
            m_steps.clear();
            m_stage = Stage::ConversationFailed;
            emit m_auth->pamErrorReceived(step.text, false);
            fail(QStringLiteral("refused"));
            return;
        }
        m_steps.removeFirst();
    }
    if (!m_stopped)
        succeed(m_user);
}

void SimulatedBackend::onConversationAnswer(const QString& answer)
{
    if (m_stopped)
        return;
    if (m_stage == Stage::ConversationFailed) {
        // The theme's "start again" after it has shown the failure.
        report(QStringLiteral("sendAnswerToPam"), { { QStringLiteral("restart"), answer == QLatin1String("0") } });
        if (answer == QLatin1String("0"))
            startConversation();
        return;
    }
    if (m_stage != Stage::Conversation || m_steps.isEmpty())
        return;
    const ConversationStep step = m_steps.takeFirst();
    report(QStringLiteral("sendAnswerToPam"), { { QStringLiteral("prompt"), step.text } });
    if (m_user.isEmpty()) {
        m_user = answer;
        const ScenarioAccount* account = accountFor(answer);
        if (account && !account->conversation.isEmpty()) {
            m_steps = account->conversation;
        } else {
            // The usual conversation: the password, then what PAM says about the account.
            ConversationStep password;
            password.text = tr("Password:");
            password.expect = account ? account->password : QString();
            m_steps = { password };
            if (account && !account->lockedMessage.isEmpty())
                m_steps << ConversationStep { ConversationStep::Kind::Error, account->lockedMessage, false, QString() };
            if (account && !account->message.isEmpty())
                m_steps << ConversationStep { ConversationStep::Kind::Message, account->message, false, QString() };
        }
        // An unknown user is asked for a password all the same, as PAM does; none fits.
        if (!account)
            m_steps.first().expect = QUuid::createUuid().toString();
    } else if (!step.expect.isEmpty() && answer != step.expect) {
        m_stage = Stage::ConversationFailed;
        fail(QStringLiteral("authentication failure"));
        return;
    }
    QTimer::singleShot(pamDelayMs, this, &SimulatedBackend::continueConversation);
}

void SimulatedBackend::fail(const QString& reason)
{
    report(QStringLiteral("loginFailed"), { { QStringLiteral("user"), m_user }, { QStringLiteral("reason"), reason } });
    if (m_stage != Stage::ConversationFailed)
        m_stage = Stage::Idle;
    if (!m_stopped)
        emit m_auth->loginFailed();
}

void SimulatedBackend::succeed(const QString& user)
{
    m_stage = Stage::Idle;
    const QString session = sessionFor(user);
    report(QStringLiteral("successLogin"), { { QStringLiteral("user"), user } });
    if (m_stopped)
        return;
    emit m_auth->successLogin();
    report(
        QStringLiteral("sessionStart"), { { QStringLiteral("user"), user }, { QStringLiteral("session"), session } });
    emit sessionStarted(user, session);
}
