// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "GreeterRig.h"

#include "ConsoleAuthManager.h"
#include "Exceptions.h"
#include "KeyboardManager.h"
#include "LocalAuthManager.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "ThemeInfo.h"
#include "ThemeWidgetCreator.h"
#include "VirtualKeyboardManager.h"
#include "XKeyboard.h"

#include <QIcon>
#include <QPixmap>

GreeterOptions::GreeterOptions()
    : accounts { makeAccount(QStringLiteral("anna"), 1001, QStringLiteral("Anna Berg")),
        makeAccount(QStringLiteral("boris"), 1002, QStringLiteral("Boris Lind")),
        makeAccount(QStringLiteral("clara"), 1003, QStringLiteral("Clara Holm")) }
    , sessions { makeSession(QStringLiteral("plasma"), QStringLiteral("Plasma (X11)")),
        makeSession(QStringLiteral("xfce"), QStringLiteral("Xfce Session")) }
{
    connection.exitAllowed = true;
    systemInfo.listUsers = true;
    systemInfo.language = QStringLiteral("en");
    systemInfo.prevUserKey = QStringLiteral("user");
}

GreeterRig::GreeterRig(const GreeterOptions& options)
    : m_systemInfo(options.systemInfo)
{
    // The keyboard is the host's to open; a server without XKB leaves it without layouts.
    static const bool keyboardReady = [] {
        try {
            XKeyboard::instance()->init();
            return true;
        } catch (const CommonException&) {
            return false;
        }
    }();
    Q_UNUSED(keyboardReady)

    QPixmap face(64, 64);
    face.fill(Qt::darkCyan);
    const QMap<QString, QIcon> faces { { QString(), QIcon(face) } };

    auth = new LocalAuthManager(options.autoLoginDelay, options.autoLoginUser);
    auth->setHostname(options.hostname);
    users = new UsersManager(options.accounts, faces, options.tokenUsersOnly, options.userListEnabled,
        options.defaultUser, options.preselUser, options.userCompletion, options.firstScreen, true);
    sessions = new SessionsManager(options.sessions);
    shutdown = new ShutdownManager(options.allowShutdownNone);
    console = new ConsoleAuthManager(options.hasConsole);
    connection = new ConnectionManager(options.connection);
    keyboard = new KeyboardManager(XKeyboard::instance());
    virtualKeyboard = new VirtualKeyboardManager(options.virtualKeyboardCommand, 0);

    QSet<Manager*> all;
    const QList<Manager*> candidates { auth, users, sessions, shutdown, console, connection, keyboard,
        virtualKeyboard };
    for (Manager* manager : candidates) {
        if (options.omittedManagers.contains(manager->id()))
            delete manager;
        else
            all.insert(manager);
    }
    registry = std::make_unique<GreeterManagers>(all);
    // Left-out managers are gone; the pointers say so.
    auth = dynamic_cast<LocalAuthManager*>(registry->get(LocalAuthManager::ID));
    users = dynamic_cast<UsersManager*>(registry->get(UsersManager::ID));
    sessions = dynamic_cast<SessionsManager*>(registry->get(SessionsManager::ID));
    shutdown = dynamic_cast<ShutdownManager*>(registry->get(ShutdownManager::ID));
    console = dynamic_cast<ConsoleAuthManager*>(registry->get(ConsoleAuthManager::ID));
    connection = dynamic_cast<ConnectionManager*>(registry->get(ConnectionManager::ID));
    keyboard = dynamic_cast<KeyboardManager*>(registry->get(KeyboardManager::ID));
    virtualKeyboard = dynamic_cast<VirtualKeyboardManager*>(registry->get(VirtualKeyboardManager::ID));
}

GreeterRig::~GreeterRig()
{
    widget.reset();
    registry.reset();
}

BaseThemeWidget* GreeterRig::createTheme(const QString& themeDir, const QString& plugin)
{
    ThemeInfo info(themeDir);
    info.read();
    SystemInfo systemInfo = m_systemInfo;
    systemInfo.loginPlugins = QStringList { plugin };
    widget.reset(ThemeWidgetCreator::create(info, systemInfo, registry.get()));
    return widget.get();
}

SessionDescription makeSession(const QString& type, const QString& name)
{
    SessionDescription session;
    session.type = type;
    session.names.insert(QString(), name);
    session.exec = QStringLiteral("/usr/bin/start-") + type;
    return session;
}

PasswdLine makeAccount(const QString& name, uint32_t uid, const QString& gecos)
{
    PasswdLine line;
    line.name = name;
    line.uid = uid;
    line.gid = uid;
    line.gecos = gecos;
    line.dir = QStringLiteral("/home/") + name;
    line.shell = QStringLiteral("/bin/bash");
    return line;
}
