// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeWidget.h"

#include "CommonWidget.h"
#include "ConnectionManager.h"
#include "ConsoleAuthManager.h"
#include "DisplayManagerConfig.h"
#include "DomainManager.h"
#include "KeyboardManager.h"
#include "LocalAuthManager.h"
#include "LoginWidget.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "StsSettings.h"
#include "SystemPaths.h"
#include "UsersManager.h"
#include "VirtualKeyboardManager.h"
#include "nimbadminmode.h"
#include "nimbdbus.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>

namespace
{

QString securityLevelText(int level)
{
    switch (level) {
    case 0:
        return ThemeWidget::tr("Basic security level");
    case 1:
        return ThemeWidget::tr("Enhanced security level");
    case 2:
        return ThemeWidget::tr("Maximum security level");
    default:
        return QString();
    }
}

/// The one user of @p users with a token present, or an empty name when none or several have one.
QString onlyUserWithToken(const UsersData& users)
{
    QString found;
    for (const UserData& user : users) {
        if (!user.hasToken)
            continue;
        if (!found.isEmpty())
            return QString();
        found = user.username;
    }
    return found;
}

} // namespace

ThemeWidget::ThemeWidget() = default;

ThemeWidget::~ThemeWidget() = default;

void ThemeWidget::setup(const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo)
{
    beginSetup(description, managers, systemInfo);
    const QString configFile = SystemPaths::nimbDmConfigFile();
    sessionsManager = lookUpManager<SessionsManager>(SessionsManager::ID);
    loadThemeSettings();
    applySessionAliases(sessionsManager->availableSessions());
    createCommonWidget(sessionsManager->availableSessions());
    createLoginWidget(LoginMode::Standard, DisplayManagerConfig(configFile).greetString());
    createBackground();
    placeWidgets(true);
    startDateTime();

    wireUsers();
    wireKeyboards();
    connect(virtualKeyboardManager, &VirtualKeyboardManager::errorOccurred, this, &ThemeWidget::showMessageError);
    shutdownManager = lookUpManager<ShutdownManager>(ShutdownManager::ID);
    const bool shutdownAllowed = !shutdownManager->allowShutdownNone();
    const bool canSleep = dbus_Logind_CanSuspend() > 0 || dbus_Logind_CanHybridSleep() > 0;
    const bool canHibernate = dbus_Logind_CanHibernate() > 0;
    wireShutdown(shutdownAllowed && canSleep);
    commonWidget->setPelioModeText(securityLevelText(NimbAdmin::Mode::getCurrentMode()));
    createActions(shutdownAllowed, canSleep, canHibernate);
    wireLocalAuth();
    wireDomains(configFile);
    prevUserStore
        = std::make_unique<StsSettings>(systemInfo.prevUserFile, systemInfo.prevUserKey, domainManager->separator());
    connect(&loginFailedTimer, &QTimer::timeout, this, &ThemeWidget::loginFailedTimerTimeout);
    usersManager->setInDomain(domainManager->inDomain());
    chooseUserListOrTokenMode();
    chooseFirstPageAndUser();
    loginWidget->enableUsernameCompleter(usersManager->userCompletion());
    connect(localAuthManager, &LocalAuthManager::pamErrorReceived, this, &ThemeWidget::showMessageError);
    connect(localAuthManager, &LocalAuthManager::messageReceived, this, &ThemeWidget::showMessageWarning);
    connect(localAuthManager, &LocalAuthManager::anotherRequestDialog, this, &ThemeWidget::answerExtraPrompt);
    enablePasswordlessUsers(configFile);
}

void ThemeWidget::wireUsers()
{
    usersManager = lookUpManager<UsersManager>(UsersManager::ID);
    connect(loginWidget, &LoginWidget::currentUserChanged, usersManager, &UsersManager::askPamForLastUserSession);
    connect(usersManager, &UsersManager::updateLastUserSession, commonWidget, &CommonWidget::updateLastUserSession);
}

void ThemeWidget::wireShutdown(bool sleepOffered)
{
    const bool shutdownAllowed = !shutdownManager->allowShutdownNone();
    if (sleepOffered)
        connect(commonWidget, &CommonWidget::suspendRequest, this, &ThemeWidget::sleepHandle);
    if (shutdownAllowed) {
        connect(commonWidget, &CommonWidget::rebootRequest, this, &ThemeWidget::rebootHandle);
        connect(commonWidget, &CommonWidget::shutdownRequest, this, &ThemeWidget::shutdownHandle);
    }
    commonWidget->enableShutdownWidgets(shutdownAllowed);
    commonWidget->enableSleepWidgets(sleepOffered);
}

void ThemeWidget::createActions(bool shutdownAllowed, bool canSleep, bool canHibernate)
{
    QList<QAction*> actions;
    QList<QMenu*> menus;

    authPageAction = createAction(tr("Enter username"), QKeySequence(Qt::ALT | Qt::Key_U));
    authPageAction->setVisible(usersManager->userListEnabled() && !usersManager->users().isEmpty());
    connect(loginWidget, &LoginWidget::authPageChanged, this, &ThemeWidget::authPageChanged);
    connect(authPageAction, &QAction::triggered, this, &ThemeWidget::changeAuthPageActionTriggered);
    authPageChanged();
    actions << authPageAction;

    addConnectionActions(actions, menus);
    addPowerActions(
        actions, shutdownAllowed && canSleep, shutdownAllowed && canHibernate, &ThemeWidget::suspendToDiskHandle);
    commonWidget->setActions(actions, menus);
}

void ThemeWidget::wireLocalAuth()
{
    localAuthManager = lookUpManager<LocalAuthManager>(LocalAuthManager::ID);
    loginWidget->setHostname(localAuthManager->hostname());
    loginWidget->setFocusPassword(localAuthManager->focusPassword());
    connect(localAuthManager, &LocalAuthManager::loginFailed, this, &ThemeWidget::performLoginFailed);
    connect(localAuthManager, &LocalAuthManager::successLogin, this, &ThemeWidget::performSuccessLogin);
    connect(localAuthManager, &LocalAuthManager::passwordChangeRequested, this, &ThemeWidget::openNewPasswordDialog);
}

void ThemeWidget::wireDomains(const QString& configFile)
{
    const DomainSettings settings = DisplayManagerConfig(configFile).domainSettings();
    configuredDomains = settings.domains;
    domainManager = new DomainManager(settings, this);
    connect(loginWidget, &LoginWidget::loginRequest, domainManager, &DomainManager::handleLoginRequestData);
    connect(domainManager, &DomainManager::loginRequestDataHandled, this, &ThemeWidget::performLoginRequest);
    connect(domainManager, &DomainManager::errorOccurred, this, &ThemeWidget::performLoginFailed);
    connect(domainManager, &DomainManager::domainsListChanged, this, &ThemeWidget::onDomainsListChanged);
}

void ThemeWidget::chooseUserListOrTokenMode()
{
    if (systemInfo.listUsers) {
        loginWidget->setUsers(usersManager->users(), usersManager->tokenUsersOnly());
        connect(usersManager, &UsersManager::usersChanged, this, &ThemeWidget::usersChanged);
        return;
    }
    connect(usersManager, &UsersManager::selectedSingleTokenUser, loginWidget, &LoginWidget::setCurrentUserData);
    connect(loginWidget, &LoginWidget::usernameChanged, this, [this](const QString& name) {
        if (name.isEmpty())
            return;
        if (const UserData user = usersManager->tokenUser(name))
            loginWidget->setCurrentUserData(user);
    });
}

void ThemeWidget::chooseFirstPageAndUser()
{
    const UsersManager::FirstScreen firstScreen = usersManager->firstScreen();
    if ((domainManager->inDomain() && firstScreen == UsersManager::AutoScreen)
        || firstScreen == UsersManager::EnterUsernameScreen)
        loginWidget->setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);

    if (usersManager->userListEnabled()) {
        const QString tokenUser = onlyUserWithToken(usersManager->users());
        if (!tokenUser.isEmpty()) {
            loginWidget->setCurrentUser(tokenUser);
            return;
        }
    }
    if (const UserData single = usersManager->singleTokenUser()) {
        loginWidget->setCurrentUserData(single);
        return;
    }
    switch (usersManager->preselUser()) {
    case UsersManager::PreselPrevious:
        loginWidget->setCurrentUser(prevUserStore->getPrevUserData().username);
        break;
    case UsersManager::PreselDefault:
        loginWidget->setCurrentUser(usersManager->defaultUser());
        break;
    case UsersManager::PreselNone:
        break;
    }
}

void ThemeWidget::enablePasswordlessUsers(const QString& configFile)
{
    // Only a local display can be switched away from; remote ones never skip the password.
    if (!connectionManager->switchDisplayAvailable())
        return;
    const QStringList users = DisplayManagerConfig(configFile).passwordlessUsers();
    if (!users.isEmpty())
        loginWidget->setNoPass(true, users);
}

void ThemeWidget::answerExtraPrompt(const QString& message, bool echo)
{
    const QString answer = QInputDialog::getText(
        this, tr("Request"), message, echo ? QLineEdit::Normal : QLineEdit::Password, QString());
    emit localAuthManager->sendStringToPam(answer);
}

void ThemeWidget::performSuccessLogin()
{
    const QString host = loginWidget->currentHostname();
    const bool domainLogin = domainManager->inDomain() && loginWidget->hostnameSelectionEnabled()
        && (configuredDomains.contains(host) || domainManager->domains().contains(host));
    prevUserStore->savePrevUserData({ loginWidget->currentUsername(), domainLogin ? host : QString() });
}

void ThemeWidget::loginFailedTimerTimeout()
{
    endFailurePause();
}

void ThemeWidget::sleepHandle()
{
    commonWidget->showActionsMenu(false);
    if (dbus_Logind_CanSuspend() > 0)
        shutdownManager->doShutdown(ShutdownAction::Suspend);
    else if (dbus_Logind_CanHybridSleep() > 0)
        shutdownManager->doShutdown(ShutdownAction::HybridSleep);
}

void ThemeWidget::suspendToDiskHandle()
{
    requestShutdown(ShutdownAction::Hibernate);
}

void ThemeWidget::usersChanged(UsersData users)
{
    loginWidget->updateUsers(users);
    authPageAction->setVisible(usersManager->userListEnabled() && !users.isEmpty());
    if (users.isEmpty() && loginWidget->currentAuthPage() == LoginWidget::UserInfoPage)
        loginWidget->setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);
}

void ThemeWidget::onDomainsListChanged(QStringList domains)
{
    const UserStsData previous = prevUserStore->getPrevUserData();
    loginWidget->updateHostsList(domains);
    if (domains.contains(previous.domain))
        loginWidget->setCurrentHostname(previous.domain);
}

void ThemeWidget::resizeEvent(QResizeEvent* event)
{
    ThemeWidgetCore::resizeEvent(event);
    if (background)
        applyBackground();
}
