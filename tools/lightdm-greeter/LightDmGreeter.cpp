// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LightDmGreeter.h"

#include "Exceptions.h"
#include "HostReport.h"
#include "LightDmBackend.h"
#include "LogindSeat.h"
#include "SessionReader.h"
#include "SystemPaths.h"
#include "ToolkitPaths.h"
#include "UserIcon.h"
#include "UserInfo.h"
#include "Utils.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{

/// Accounts nobody logs in to, as LightDM hides them by default.
bool canLogIn(const PasswdLine& account)
{
    return !account.shell.endsWith(QLatin1String("/nologin")) && !account.shell.endsWith(QLatin1String("/false"));
}

} // namespace

LightDmGreeter::LightDmGreeter(const GreeterOptions& options, QObject* parent)
    : QObject(parent)
    , m_options(options)
    , m_host(hostConfig(options))
{
}

LightDmGreeter::~LightDmGreeter() = default;

HostConfig LightDmGreeter::hostConfig(const GreeterOptions& options)
{
    HostConfig config;
    QString plugin = options.plugin;
    if (plugin.isEmpty() && !options.themeDir.isEmpty()) {
        try {
            plugin = ToolkitPaths::pluginOfTheme(options.themeDir);
        } catch (const DetailsException&) {
            // The theme fails again when it is built, and says why there.
        }
    }
    config.plugin = ToolkitPaths::plugin(plugin.isEmpty() ? QStringLiteral("standard-theme") : plugin);
    config.themeDir = options.themeDir;
    if (config.themeDir.isEmpty())
        config.themeDir = ToolkitPaths::defaultTheme(plugin);
    const QString standardTheme = ToolkitPaths::defaultTheme(QStringLiteral("standard-theme"));
    if (config.themeDir != standardTheme)
        config.fallbackThemes << qMakePair(standardTheme, ToolkitPaths::plugin(QStringLiteral("standard-theme")));
    config.builtInFallback = true;
    config.language = Utils::shortSystemLocale();
    config.fullscreen = !options.geometry.isValid();
    if (options.geometry.isValid())
        config.geometry = options.geometry;
    // The greeter user's own directory: LightDM gives it one, and nothing else is writable to it.
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataDir);
    config.prevUserFile = dataDir + QStringLiteral("/prev-user.ini");
    config.windowTitle = QStringLiteral("vestibule-lightdm-greeter");
    return config;
}

void LightDmGreeter::start()
{
    m_connected = m_greeter.connectToDaemonSync();
    if (!m_connected)
        reportOnStderr(QStringLiteral("cannot connect to the LightDM daemon; nobody can log in from this screen"));
    try {
        m_host.start(setup(), [this](GreeterManagers* managers) -> std::unique_ptr<HostBackend> {
            return std::make_unique<LightDmBackend>(&m_greeter, &m_users, &m_power, m_connected, managers);
        });
    } catch (const DetailsException& error) {
        reportOnStderr(QStringLiteral("the login screen cannot be built: %1").arg(error.fullDetails()));
    } catch (const std::exception& error) {
        reportOnStderr(
            QStringLiteral("the login screen cannot be built: %1").arg(QString::fromLocal8Bit(error.what())));
    }
}

HostSetup LightDmGreeter::setup()
{
    HostSetup setup;
    UserInfo::Filter filter;
    filter.showAll = true;
    filter.minUid = 1000;
    filter.maxUid = 60000;
    filter.sortUsers = true;
    for (const PasswdLine& account : UserInfo::getUserList(filter)) {
        if (canLogIn(account))
            setup.accounts << account;
    }
    setup.faces
        = UserIcon::getUserIcons(SystemPaths::resolve(QStringLiteral("/var/lib/AccountsService/icons")), PreferAdmin);
    for (int row = 0; row < m_users.rowCount(QModelIndex()); ++row) {
        const QModelIndex index = m_users.index(row, 0);
        const QString name = index.data(QLightDM::UsersModel::NameRole).toString();
        const QString image = index.data(QLightDM::UsersModel::ImagePathRole).toString();
        if (!setup.faces.contains(name) && !image.isEmpty() && QFileInfo(image).isReadable())
            setup.faces.insert(name, QIcon(image));
    }
    setup.sessions = SessionReader::readDirs(QStringList { SystemPaths::resolve(QStringLiteral("/usr/share/xsessions")),
        SystemPaths::resolve(QStringLiteral("/usr/share/lightdm/sessions")) });

    setup.hostname = m_greeter.hostname();
    const bool hideUsers = m_greeter.hideUsersHint();
    setup.listUsers = !hideUsers;
    // Hidden users are not to be guessed either.
    setup.userCompletion = !hideUsers;
    // Nobody to choose from: the user types a name, whatever show-manual-login says.
    setup.firstScreen
        = hideUsers || setup.accounts.isEmpty() ? UsersManager::EnterUsernameScreen : UsersManager::AutoScreen;
    if (!m_greeter.selectUserHint().isEmpty()) {
        setup.defaultUser = m_greeter.selectUserHint();
        setup.preselUser = UsersManager::PreselDefault;
    }
    if (!m_greeter.autologinUserHint().isEmpty() && m_greeter.autologinTimeoutHint() > 0) {
        setup.autoLoginUser = m_greeter.autologinUserHint();
        setup.autoLoginDelay = m_greeter.autologinTimeoutHint();
    }
    setup.shutdownAllowed = m_power.canShutdown() || m_power.canRestart();
    // LightDM has no console login, no XDMCP chooser and does not restart the X server on request.
    setup.console = false;
    setup.connection.switchDisplayAvailable = LogindSeat::canSwitch();
    return setup;
}
