// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PreviewHost.h"

#include "EventLog.h"
#include "Exceptions.h"
#include "SessionReader.h"
#include "SimulatedBackend.h"
#include "UserIcon.h"
#include "UserInfo.h"

#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace
{

QIcon faceFor(const ScenarioAccount& account)
{
    if (account.face.startsWith(QLatin1String("builtin:")))
        return QIcon(QStringLiteral(":/preview/faces/%1.svg").arg(account.face.mid(8)));
    return account.face.isEmpty() ? QIcon() : QIcon(account.face);
}

HostConfig hostConfig(const PreviewConfig& config)
{
    HostConfig host = config;
    host.windowTitle = QStringLiteral("vestibule-preview");
    return host;
}

} // namespace

PreviewHost::PreviewHost(const Scenario& scenario, const PreviewConfig& config, QObject* parent)
    : QObject(parent)
    , m_scenario(scenario)
    , m_config(config)
    , m_host(hostConfig(config))
{
    connect(&m_host, &GreeterHost::sessionStarted, this, &PreviewHost::onSessionStarted);
    connect(&m_host, &GreeterHost::themeMessage, this, [](const QString& kind, const QString& message) {
        const QString event = kind == QLatin1String("error") ? QStringLiteral("showMessageError")
                                                             : QStringLiteral("showMessageWarning");
        EventLog::write(event, { { QStringLiteral("message"), message } });
    });
}

PreviewHost::~PreviewHost() = default;

BaseThemeWidget* PreviewHost::widget() const
{
    return m_host.widget();
}

GreeterManagers* PreviewHost::managers() const
{
    return m_host.managers();
}

SimulatedBackend* PreviewHost::backend() const
{
    return static_cast<SimulatedBackend*>(m_host.backend());
}

void PreviewHost::start()
{
    const Scenario& scenario = m_scenario;
    m_host.start(setup(), [&scenario](GreeterManagers* managers) -> std::unique_ptr<HostBackend> {
        return std::make_unique<SimulatedBackend>(scenario, managers);
    });
}

HostSetup PreviewHost::setup() const
{
    HostSetup setup;
    setup.faces.insert(QString(), QIcon(QStringLiteral(":/preview/faces/default.svg")));
    setup.sessions = m_scenario.sessions;
    if (m_config.systemUsers) {
        UserInfo::Filter filter;
        filter.showAll = true;
        filter.minUid = 1000;
        filter.maxUid = 60000;
        filter.sortUsers = true;
        setup.accounts = UserInfo::getUserList(filter);
        setup.faces.insert(UserIcon::getUserIcons(QStringLiteral("/var/lib/AccountsService/icons"), PreferAdmin));
        setup.sessions = SessionReader::readDirs(QStringList { QStringLiteral("/usr/share/xsessions") });
    } else {
        uint32_t uid = 1000;
        for (const ScenarioAccount& account : qAsConst(m_scenario.accounts)) {
            PasswdLine line;
            line.name = account.login;
            line.uid = line.gid = uid++;
            line.gecos = account.realName;
            line.dir = QStringLiteral("/home/") + account.login;
            line.shell = QStringLiteral("/bin/bash");
            setup.accounts << line;
            const QIcon face = faceFor(account);
            if (!face.isNull())
                setup.faces.insert(account.login, face);
        }
    }
    setup.autoLoginDelay = m_scenario.autoLoginDelay;
    setup.autoLoginUser = m_scenario.autoLoginUser;
    setup.hostname = m_scenario.hostname;
    setup.tokenUsersOnly = m_scenario.tokenUsersOnly;
    setup.listUsers = m_scenario.listUsers;
    setup.defaultUser = m_scenario.defaultUser;
    setup.preselUser = m_scenario.preselUser;
    setup.userCompletion = m_scenario.userCompletion;
    setup.firstScreen = m_scenario.firstScreen;
    setup.shutdownAllowed = m_scenario.shutdownAllowed;
    setup.console = m_scenario.console;
    setup.connection = m_scenario.connection;
    setup.virtualKeyboard = m_scenario.virtualKeyboard;
    return setup;
}

void PreviewHost::onSessionStarted()
{
    // Out of the signal's way: the theme that sent it is about to be deleted.
    QTimer::singleShot(0, this, [this] {
        if (!m_config.stay) {
            emit finished(0);
            return;
        }
        try {
            start();
        } catch (const DetailsException& error) {
            std::fprintf(stderr, "vestibule-preview: %s\n", qUtf8Printable(error.fullDetails()));
            emit finished(2);
        }
    });
}
