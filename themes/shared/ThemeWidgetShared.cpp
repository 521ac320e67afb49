// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// What the standard and the generic theme widget declare alike and do alike: most slots,
// the keyboard wiring and the actions both offer. Each plug-in builds this file against its
// own ThemeWidget, so the two classes keep their declared interfaces while the behaviour is
// written once.
#include "ThemeWidget.h"

#include "CommonWidget.h"
#include "ConnectionManager.h"
#include "ConsoleAuthManager.h"
#include "KeyboardManager.h"
#include "LocalAuthManager.h"
#include "LoginWidget.h"
#include "NewPasswordDialog.h"
#include "ShutdownManager.h"
#include "VirtualKeyboardManager.h"

#include <QAction>
#include <QMenu>

void ThemeWidget::exec()
{
    runAutoLogin();
}

void ThemeWidget::performLoginRequest(AuthData data)
{
    sendLoginRequest(data);
}

void ThemeWidget::performLoginFailed()
{
    startFailurePause();
}

void ThemeWidget::capsLockStateChangedHandle(bool lock)
{
    loginWidget->enableCapsLock(lock);
}

void ThemeWidget::rebootHandle()
{
    requestShutdown(ShutdownAction::Reboot);
}

void ThemeWidget::shutdownHandle()
{
    requestShutdown(ShutdownAction::Shutdown);
}

void ThemeWidget::consoleLoginhandle()
{
    commonWidget->showActionsMenu(false);
    consoleAuthManager->performConsoleLogin();
}

void ThemeWidget::exitActionTriggered()
{
    commonWidget->showActionsMenu(false);
    connectionManager->performExitAction();
}

void ThemeWidget::changeAuthPageActionTriggered()
{
    // Only the standard theme has the action that carries the page.
    if (!authPageAction)
        return;
    loginWidget->setCurrentAuthPage(static_cast<LoginWidget::AuthPage>(authPageAction->data().toInt()), true);
}

void ThemeWidget::authPageChanged()
{
    if (!authPageAction)
        return;
    switch (loginWidget->currentAuthPage()) {
    case LoginWidget::UserInfoPage:
        authPageAction->setText(tr("Enter username"));
        authPageAction->setData(LoginWidget::EnterUsernamePage);
        break;
    case LoginWidget::EnterUsernamePage:
        authPageAction->setText(tr("Choose user"));
        authPageAction->setData(LoginWidget::UserInfoPage);
        break;
    default:
        authPageAction->setText(QString());
        authPageAction->setData(0);
        break;
    }
}

void ThemeWidget::openNewPasswordDialog(bool withAuth)
{
    NewPasswordDialog* dialog = openPasswordDialog(withAuth);
    connect(dialog, &NewPasswordDialog::insertionCompleted, this, &ThemeWidget::onNewPasswordInsertionCompleted);
    // Once for all dialogs: a connection per dialog would hand the host every later answer
    // as often as a dialog had been opened.
    connect(this, &ThemeWidget::newPasswordInsertionCompleted, localAuthManager,
        &LocalAuthManager::newPasswordInsertionCompleted, Qt::UniqueConnection);
}

void ThemeWidget::onNewPasswordInsertionCompleted(QString oldPassword, QString newPassword, QString confirmPassword)
{
    // A dialog that did not ask for the old password answers with the one just typed at login.
    const QString oldOrCurrent = oldPassword.isEmpty() ? loginWidget->currentPassword() : oldPassword;
    emit newPasswordInsertionCompleted(loginWidget->currentUsername(), oldOrCurrent, newPassword, confirmPassword);
}

void ThemeWidget::wireKeyboards()
{
    keyboardManager = lookUpManager<KeyboardManager>(KeyboardManager::ID);
    connect(keyboardManager, &KeyboardManager::capsLockStateChanged, this, &ThemeWidget::capsLockStateChangedHandle);
    connect(commonWidget, &CommonWidget::changeLayoutRequest, keyboardManager, &KeyboardManager::changeLayout);
    connect(keyboardManager, &KeyboardManager::layoutChanged, commonWidget, &CommonWidget::changeLayout);
    showCurrentLayout();

    virtualKeyboardManager = lookUpManager<VirtualKeyboardManager>(VirtualKeyboardManager::ID);
    connect(
        commonWidget, &CommonWidget::openVirtualKeyboardRequest, virtualKeyboardManager, &VirtualKeyboardManager::open);
}

void ThemeWidget::addConnectionActions(QList<QAction*>& actions, QList<QMenu*>& menus)
{
    connectionManager = lookUpManager<ConnectionManager>(ConnectionManager::ID);
    const ConnectionManager::ExitAction exit = connectionManager->exitAction();
    if (exit.first) {
        QAction* action = createAction(exit.second, QKeySequence(Qt::ALT | Qt::Key_E));
        connect(action, &QAction::triggered, this, &ThemeWidget::exitActionTriggered);
        actions << action;
    }
    if (connectionManager->switchDisplayAvailable())
        menus << createSwitchSessionMenu([this] { emit dpyMenuUpdatingCompleted(); });
    if (connectionManager->chooserDialogAvailable()) {
        QAction* action = createAction(tr("Remote login"), QKeySequence(Qt::ALT | Qt::Key_T));
        connect(action, &QAction::triggered, connectionManager, &ConnectionManager::reloadToXDMCPDialog);
        actions << action;
    }

    consoleAuthManager = lookUpManager<ConsoleAuthManager>(ConsoleAuthManager::ID);
    if (consoleAuthManager->hasConsole()) {
        QAction* action = createAction(tr("Console login"), QKeySequence(Qt::ALT | Qt::Key_N));
        connect(action, &QAction::triggered, this, &ThemeWidget::consoleLoginhandle);
        actions << action;
    }
}

void ThemeWidget::addPowerActions(
    QList<QAction*>& actions, bool offerSleep, bool offerHibernation, void (ThemeWidget::*hibernate)())
{
    if (shutdownManager->allowShutdownNone())
        return;
    QAction* reboot = createAction(tr("Reboot"), QKeySequence(Qt::ALT | Qt::Key_R));
    connect(reboot, &QAction::triggered, this, &ThemeWidget::rebootHandle);
    QAction* shutdown = createAction(tr("Shutdown"), QKeySequence(Qt::ALT | Qt::Key_S));
    connect(shutdown, &QAction::triggered, this, &ThemeWidget::shutdownHandle);
    actions << reboot << shutdown;
    if (offerSleep) {
        QAction* suspend = createAction(tr("Suspend"), QKeySequence(Qt::ALT | Qt::Key_D));
        connect(suspend, &QAction::triggered, this, &ThemeWidget::sleepHandle);
        actions << suspend;
    }
    if (offerHibernation) {
        QAction* hibernation = createAction(tr("Hibernation"), QKeySequence(Qt::ALT | Qt::Key_H));
        connect(hibernation, &QAction::triggered, this, hibernate);
        actions << hibernation;
    }
}
