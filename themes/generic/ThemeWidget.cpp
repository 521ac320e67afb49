// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeWidget.h"

#include "BackgroundWidget.h"
#include "CommonWidget.h"
#include "ConnectionManager.h"
#include "ConsoleAuthManager.h"
#include "KeyboardManager.h"
#include "LocalAuthManager.h"
#include "LoginWidget.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "UsersManager.h"
#include "VirtualKeyboardManager.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

namespace
{

// What the host reads as "start the conversation again" once a failed one has been shown.
const QString restartAnswer = QStringLiteral("0");

} // namespace

ThemeWidget::ThemeWidget() = default;

ThemeWidget::~ThemeWidget() = default;

void ThemeWidget::setup(const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo)
{
    beginSetup(description, managers, systemInfo);
    sessionsManager = lookUpManager<SessionsManager>(SessionsManager::ID);
    createCommonWidget(sessionsManager->availableSessions());
    createLoginWidget(LoginMode::Generic, QString());
    loadThemeSettings();
    createBackground();
    placeWidgets(false);
    startDateTime();

    // Looked up so that a host without it fails here as with the standard theme.
    usersManager = lookUpManager<UsersManager>(UsersManager::ID);
    wireKeyboards();
    connect(
        virtualKeyboardManager, &VirtualKeyboardManager::errorOccurred, this, &ThemeWidget::virtualKeyboardErrorHandle);
    wireShutdown();
    createActions();
    wireLocalAuth();
}

void ThemeWidget::wireShutdown()
{
    shutdownManager = lookUpManager<ShutdownManager>(ShutdownManager::ID);
    const bool shutdownAllowed = !shutdownManager->allowShutdownNone();
    if (shutdownAllowed) {
        connect(commonWidget, &CommonWidget::suspendRequest, this, &ThemeWidget::suspendToRamHandle);
        connect(commonWidget, &CommonWidget::rebootRequest, this, &ThemeWidget::rebootHandle);
        connect(commonWidget, &CommonWidget::shutdownRequest, this, &ThemeWidget::shutdownHandle);
    }
    commonWidget->enableShutdownWidgets(shutdownAllowed);
}

void ThemeWidget::createActions()
{
    QList<QAction*> actions;
    QList<QMenu*> menus;

    addConnectionActions(actions, menus);
    // Without asking what the machine can do: the host turns down what it cannot.
    addPowerActions(actions, true, true, &ThemeWidget::suspendToRamHandle);
    commonWidget->setActions(actions, menus);
}

void ThemeWidget::wireLocalAuth()
{
    localAuthManager = lookUpManager<LocalAuthManager>(LocalAuthManager::ID);
    loginWidget->setFocusPassword(localAuthManager->focusPassword());
    connect(localAuthManager, &LocalAuthManager::loginFailed, this, &ThemeWidget::performLoginFailed);
    connect(localAuthManager, &LocalAuthManager::successLogin, this, &ThemeWidget::performSuccessLogin);
    connect(loginWidget, &LoginWidget::submitAnswerToPam, localAuthManager, &LocalAuthManager::sendAnswerToPam);
    connect(&loginFailedTimer, &QTimer::timeout, this, &ThemeWidget::loginFailedTimerTimeout);
    connect(localAuthManager, &LocalAuthManager::pamErrorReceived, this, &ThemeWidget::showErrorMessage);
    connect(localAuthManager, &LocalAuthManager::messageReceived, loginWidget, &LoginWidget::setGenericPamMessage);
    connect(localAuthManager, &LocalAuthManager::requestReceived, loginWidget, &LoginWidget::setGenericPamHeader);
    loginWidget->removePasswordPlaceholder();
    emit localAuthManager->enableGenericMode();
}

void ThemeWidget::performSuccessLogin() { }

void ThemeWidget::loginFailedTimerTimeout()
{
    // The controls are unlocked as in the standard theme: otherwise the session, layout
    // and power controls would stay locked for good after the first failure.
    endFailurePause();
    emit localAuthManager->sendAnswerToPam(restartAnswer);
}

void ThemeWidget::virtualKeyboardErrorHandle(QString error)
{
    QMessageBox::critical(this, tr("Virtual keyboard error"), error, QMessageBox::Ok);
}

void ThemeWidget::sleepHandle()
{
    requestShutdown(ShutdownAction::Suspend);
}

void ThemeWidget::suspendToRamHandle()
{
    requestShutdown(ShutdownAction::HybridSleep);
}

void ThemeWidget::showErrorMessage(QString message)
{
    QMessageBox::critical(this, QStringLiteral("Error"), message, QMessageBox::Ok);
}

void ThemeWidget::showMessage(QString message)
{
    if (!message.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Warning"), message, QMessageBox::Ok);
}

void ThemeWidget::resizeEvent(QResizeEvent* event)
{
    ThemeWidgetCore::resizeEvent(event);
    // The picture, once chosen, stays; the background only scales it to the new size.
    if (background && backgroundPending())
        applyBackground();
    else if (background)
        background->resize(size());
}
