// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "ThemeWidgetCore.h"
#include "UserData.h"

#include <QStringList>

#include <memory>

class DomainManager;
class StsSettings;

/**
 * The standard theme's login screen: user lists and token users, domains, the greeting,
 * the security level, sleep capabilities and the previous user, over the theme's
 * background. setup() builds it from a theme directory and wires it to the managers.
 */
class ThemeWidget : public ThemeWidgetCore
{
    Q_OBJECT
public:
    ThemeWidget();
    ~ThemeWidget() override;

    /// Builds the screen; throws the CommonException family when the theme cannot be built.
    void setup(const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo) override;
    /// Runs the auto-login countdown when the host configured one.
    void exec() override;

Q_SIGNALS:
    void newPasswordInsertionCompleted(
        QString login, QString oldPassword, QString newPassword, QString confirmPassword);
    void dpyMenuUpdatingCompleted();

public Q_SLOTS:
    void performLoginRequest(AuthData data);
    void performLoginFailed();
    void performSuccessLogin();
    void loginFailedTimerTimeout();
    void capsLockStateChangedHandle(bool lock);
    void rebootHandle();
    void shutdownHandle();
    void sleepHandle();
    void suspendToDiskHandle();
    void consoleLoginhandle();
    void exitActionTriggered();
    void changeAuthPageActionTriggered();
    void authPageChanged();
    void openNewPasswordDialog(bool withAuth);
    void usersChanged(UsersData users);
    void onDomainsListChanged(QStringList domains);

private Q_SLOTS:
    void onNewPasswordInsertionCompleted(QString oldPassword, QString newPassword, QString confirmPassword);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void wireUsers();
    void wireKeyboards();
    /// Exit, switch-session, remote-login and console actions, as the connection allows.
    void addConnectionActions(QList<QAction*>& actions, QList<QMenu*>& menus);
    /// Reboot and shutdown when shutdown is allowed, then sleep and hibernation as offered.
    void addPowerActions(
        QList<QAction*>& actions, bool offerSleep, bool offerHibernation, void (ThemeWidget::*hibernate)());
    void wireShutdown(bool canSleep);
    void createActions(bool shutdownAllowed, bool canSleep, bool canHibernate);
    void wireLocalAuth();
    void wireDomains(const QString& configFile);
    void chooseUserListOrTokenMode();
    void chooseFirstPageAndUser();
    void enablePasswordlessUsers(const QString& configFile);
    void answerExtraPrompt(const QString& message, bool echo);

    DomainManager* domainManager = nullptr;
    std::unique_ptr<StsSettings> prevUserStore;
    QStringList configuredDomains;
};
