// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// Times the login widget's user lists with 10 000 users on a theme's forms (the default
// theme unless a theme directory is given): the first filling, a later update and one
// keystroke in the filter field, each including the visible page of user cells.
#include "BenchTiming.h"
#include "LoginWidget.h"
#include "ThemeInfo.h"
#include "ThemeWidgetCreator.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <functional>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString themeDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(MODERN_THEME_DIR);

    UsersData users;
    QPixmap face(96, 96);
    face.fill(Qt::darkCyan);
    for (int i = 0; i < 10000; ++i) {
        UserData user;
        user.username = QStringLiteral("user%1").arg(i, 5, 10, QLatin1Char('0'));
        user.hostname = QStringLiteral("station");
        user.icon = QIcon(face);
        users.append(user);
    }

    ThemeInfo info(themeDir);
    info.read();
    LoginWidget widget;
    widget.load(ThemeWidgetCreator::create(themeDir + QStringLiteral("/central_widget.ui")), info.description());
    widget.resize(1280, 800);

    // Each step includes what the event loop does right after it in the greeter: deleting
    // the cells and dots of the lists that were replaced.
    const auto step = [](const std::function<void()>& work) {
        return [work] {
            work();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
    };
    const int runs = 5;
    const double set = medianMs(step([&] { widget.setUsers(users, false); }), runs);
    const double update = medianMs(step([&] { widget.updateUsers(users); }), runs);
    // One keystroke: "user01" narrows 10 000 names to 1 000.
    const double filter = medianMs(step([&] { widget.filterChanged(QStringLiteral("user01")); }), runs);
    const double page = medianMs(step([&] { widget.setUsersPage(1); }), runs);

    // Cells of cleared pages go on the next event-loop turn; count the ones on show.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int cells = 0;
    for (QWidget* child : widget.findChildren<QWidget*>()) {
        if (child->inherits("UserCellWidget"))
            ++cells;
    }
    std::printf("10000 users on %s (median of %d runs)\n", qPrintable(themeDir), runs);
    std::printf("  setUsers                      %8.2f ms   goal 100 ms\n", set);
    std::printf("  updateUsers                   %8.2f ms\n", update);
    std::printf("  filterChanged (one keystroke) %8.2f ms   goal 33 ms\n", filter);
    std::printf("  setUsersPage (one page)       %8.2f ms\n", page);
    std::printf("  user cells on the last page shown: %d\n", cells);
    return 0;
}
