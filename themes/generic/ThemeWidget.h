// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "ThemeWidgetCore.h"

/**
 * The generic theme's login screen: the same screen as the standard theme, but the login
 * area shows PAM's prompts and messages one at a time and hands back each answer. PAM
 * errors and on-screen keyboard failures are shown in message boxes of its own.
 */
class ThemeWidget : public ThemeWidgetCore
{
    Q_OBJECT
public:
    ThemeWidget();
    ~ThemeWidget() override;

    /// Builds the screen and asks the host for the conversation; throws as the standard theme.
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
    void virtualKeyboardErrorHandle(QString error);
    void capsLockStateChangedHandle(bool lock);
    void rebootHandle();
    void shutdownHandle();
    void sleepHandle();
    void suspendToRamHandle();
    void consoleLoginhandle();
    void exitActionTriggered();
    void changeAuthPageActionTriggered();
    void authPageChanged();
    void openNewPasswordDialog(bool withAuth);
    void showErrorMessage(QString message);
    void showMessage(QString message);

private Q_SLOTS:
    void onNewPasswordInsertionCompleted(QString oldPassword, QString newPassword, QString confirmPassword);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void wireKeyboards();
    /// Exit, switch-session, remote-login and console actions, as the connection allows.
    void addConnectionActions(QList<QAction*>& actions, QList<QMenu*>& menus);
    /// Reboot and shutdown when shutdown is allowed, then sleep and hibernation as offered.
    void addPowerActions(
        QList<QAction*>& actions, bool offerSleep, bool offerHibernation, void (ThemeWidget::*hibernate)());
    void wireShutdown();
    void createActions();
    void wireLocalAuth();
};
