// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "BaseThemeWidget.h"
#include "ConnectionManager.h"
#include "GreeterManagers.h"
#include "PasswdLine.h"
#include "SessionDescription.h"
#include "SystemInfo.h"
#include "UsersManager.h"

#include <QList>
#include <QSet>
#include <QString>

#include <memory>

class ConsoleAuthManager;
class KeyboardManager;
class LocalAuthManager;
class SessionsManager;
class ShutdownManager;
class VirtualKeyboardManager;

/// What a test host configures: the managers' constructor arguments and the host's record.
struct GreeterOptions {
    QList<PasswdLine> accounts; ///< anna, boris and clara unless set
    QStringList tokenUsers; ///< accounts whose token is present (written to the token file by the caller)
    bool tokenUsersOnly = false;
    bool userListEnabled = true;
    QString defaultUser;
    UsersManager::PreselUser preselUser = UsersManager::PreselNone;
    bool userCompletion = false;
    UsersManager::FirstScreen firstScreen = UsersManager::UserInfoScreen;
    QList<SessionDescription> sessions; ///< plasma and xfce unless set
    bool allowShutdownNone = false;
    bool hasConsole = true;
    ConnectionManager::ConnectionData connection;
    int autoLoginDelay = 0;
    QString autoLoginUser;
    QString virtualKeyboardCommand = QStringLiteral("true");
    QString hostname = QStringLiteral("station");
    QSet<QString> omittedManagers; ///< identifiers left out of the registry
    SystemInfo systemInfo; ///< listUsers true and language "en" unless changed
    GreeterOptions();
};

/**
 * A greeter host in miniature for tests: all eight managers in a registry, and the theme
 * widget that ThemeWidgetCreator builds on them. The widget is deleted before the registry.
 */
class GreeterRig
{
public:
    explicit GreeterRig(const GreeterOptions& options = GreeterOptions());
    ~GreeterRig();

    /// Creates the theme of @p themeDir with @p plugin (a path); throws what the creator throws.
    BaseThemeWidget* createTheme(const QString& themeDir, const QString& plugin);

    LocalAuthManager* auth = nullptr;
    UsersManager* users = nullptr;
    SessionsManager* sessions = nullptr;
    ShutdownManager* shutdown = nullptr;
    ConsoleAuthManager* console = nullptr;
    ConnectionManager* connection = nullptr;
    KeyboardManager* keyboard = nullptr;
    VirtualKeyboardManager* virtualKeyboard = nullptr;
    std::unique_ptr<GreeterManagers> registry;
    std::unique_ptr<BaseThemeWidget> widget;

private:
    SystemInfo m_systemInfo;
};

/// A session type as a desktop file would give it, with @p name as its plain Name.
SessionDescription makeSession(const QString& type, const QString& name);
/// An account of the user database with @p gecos as its full name.
PasswdLine makeAccount(const QString& name, uint32_t uid, const QString& gecos = QString());
