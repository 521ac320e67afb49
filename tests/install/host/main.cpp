// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A greeter host in miniature, built outside the project against the installed library.
#include <vestibule/BaseThemeWidget.h>
#include <vestibule/ConnectionManager.h>
#include <vestibule/ConsoleAuthManager.h>
#include <vestibule/Exceptions.h>
#include <vestibule/GreeterManagers.h>
#include <vestibule/KeyboardManager.h>
#include <vestibule/LocalAuthManager.h>
#include <vestibule/LoginWidget.h>
#include <vestibule/SessionsManager.h>
#include <vestibule/ShutdownManager.h>
#include <vestibule/SystemInfo.h>
#include <vestibule/ThemeInfo.h>
#include <vestibule/ThemeWidgetCreator.h>
#include <vestibule/UsersManager.h>
#include <vestibule/VirtualKeyboardManager.h>
#include <vestibule/XKeyboard.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace
{

/// The whole screen of the installed theme @p themeDir through the installed @p plugin.
int showInstalledTheme(const QString& themeDir, const QString& plugin)
{
    try {
        XKeyboard::instance()->init();
    } catch (const CommonException&) {
        // No X server here: the keyboard has no layouts.
    }
    PasswdLine anna;
    anna.name = QStringLiteral("anna");
    anna.uid = 1000;
    GreeterManagers managers({ new LocalAuthManager(0, QString()),
        new UsersManager(
            { anna }, {}, false, true, QString(), UsersManager::PreselNone, false, UsersManager::UserInfoScreen, true),
        new SessionsManager({}), new ShutdownManager(false), new ConsoleAuthManager(false),
        new ConnectionManager(ConnectionManager::ConnectionData()), new KeyboardManager(XKeyboard::instance()),
        new VirtualKeyboardManager(QStringLiteral("true"), 0) });
    ThemeInfo info(themeDir);
    SystemInfo systemInfo;
    systemInfo.loginPlugins = QStringList { plugin };
    systemInfo.listUsers = true;
    try {
        info.read();
        std::unique_ptr<BaseThemeWidget> widget(ThemeWidgetCreator::create(info, systemInfo, &managers));
        widget->resize(1366, 768);
        widget->show();
        if (!widget->findChild<LoginWidget*>())
            return 6;
    } catch (const DetailsException& e) {
        std::printf("%s\n", qPrintable(e.fullDetails()));
        return 5;
    }
    std::printf("the installed theme builds a screen\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Given the installed theme and plug-in, the host shows the screen they build.
    if (argc == 3)
        return showInstalledTheme(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));

    auto* auth = new LocalAuthManager(0, QString());
    GreeterManagers managers({ auth });
    if (managers.get(QStringLiteral("localAuth")) != auth)
        return 1;

    QString requested;
    QObject::connect(auth, &LocalAuthManager::loginRequest, [&requested](AuthData data) { requested = data.login; });
    auth->performLoginRequest(AuthData { QStringLiteral("anna"), QStringLiteral("pw") });
    if (requested != QLatin1String("anna"))
        return 2;

    QTemporaryDir dir;
    ThemeInfo info(dir.filePath(QStringLiteral("missing-theme")));
    try {
        info.read();
        return 3;
    } catch (const DetailsException& e) {
        std::printf("%s\n", qPrintable(e.fullDetails()));
    }

    try {
        delete ThemeWidgetCreator::create(info, SystemInfo(), &managers);
        return 4;
    } catch (const CommonException& e) {
        std::printf("%s\n", qPrintable(e.fullDetails()));
    }
    return 0;
}
