// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A greeter host in miniature, built outside the project against the installed library.
#include <vestibule/BaseThemeWidget.h>
#include <vestibule/Exceptions.h>
#include <vestibule/GreeterManagers.h>
#include <vestibule/LocalAuthManager.h>
#include <vestibule/SystemInfo.h>
#include <vestibule/ThemeInfo.h>
#include <vestibule/ThemeWidgetCreator.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

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
