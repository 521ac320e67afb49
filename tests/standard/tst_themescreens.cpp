// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The default theme composed by the standard plug-in must fit every common screen: each
// control that shows lies inside the screen and inside every widget that holds it.
#include "CommonWidget.h"
#include "GreeterRig.h"
#include "LoginWidget.h"
#include "ScopedSystemRoot.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace
{

/// Every shown control whose part is cut off by the screen or by a widget that holds it.
QStringList clippedControls(QWidget* screen, const QSize& screenSize)
{
    QStringList clipped;
    const QList<QWidget*> widgets = screen->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget)
            || qobject_cast<QComboBox*>(widget) || (qobject_cast<QLabel*>(widget) && !widget->objectName().isEmpty());
        if (!control || !widget->isVisibleTo(screen) || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QRect visible = widget->rect();
        for (QWidget* holder = widget; holder != screen; holder = holder->parentWidget())
            visible = visible.translated(holder->pos()).intersected(holder->parentWidget()->rect());
        visible = visible.intersected(QRect(QPoint(0, 0), screenSize));
        const QRect whole(widget->mapTo(screen, QPoint(0, 0)), widget->size());
        if (visible != whole)
            clipped << QStringLiteral("%1 at %2,%3 %4x%5 shows only %6x%7")
                           .arg(widget->objectName())
                           .arg(whole.x())
                           .arg(whole.y())
                           .arg(whole.width())
                           .arg(whole.height())
                           .arg(visible.width())
                           .arg(visible.height());
    }
    return clipped;
}

} // namespace

class TestThemeScreens : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyControlFits_data();
    void everyControlFits();
};

void TestThemeScreens::everyControlFits_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("userCount");
    QTest::addColumn<bool>("grid");
    // Logical sizes; a run with QT_SCALE_FACTOR shows them with more device pixels.
    const QList<QSize> sizes { { 1024, 600 }, { 1024, 768 }, { 1280, 720 }, { 1366, 768 }, { 1920, 1080 },
        { 2560, 1440 }, { 3840, 2160 } };
    for (const QSize& size : sizes) {
        const QByteArray name = QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
        QTest::newRow(QByteArray(name + " one user").constData()) << size << 1 << false;
        QTest::newRow(QByteArray(name + " short list").constData()) << size << 3 << false;
        QTest::newRow(QByteArray(name + " many users").constData()) << size << 40 << false;
        QTest::newRow(QByteArray(name + " grid").constData()) << size << 40 << true;
    }
}

void TestThemeScreens::everyControlFits()
{
    QFETCH(QSize, screen);
    QFETCH(int, userCount);
    QFETCH(bool, grid);

    // The default wallpaper and logo as installed, so the screen is the one users see.
    if (screen.width() * qApp->devicePixelRatio() > 3840)
        QSKIP("no screen has that many pixels");
    ScopedSystemRoot root;
    root.makeDir(QStringLiteral("/usr/share"));
    QVERIFY(QFile::link(QStringLiteral(BUILD_SYSTEM_ROOT "/usr/share/wallpapers"),
        root.filePath(QStringLiteral("/usr/share/wallpapers"))));
    GreeterOptions options;
    options.accounts.clear();
    for (int i = 0; i < userCount; ++i) {
        options.accounts << makeAccount(QStringLiteral("user%1").arg(i), 2000 + i,
            i % 3 ? QStringLiteral("A Rather Long Full Name Number %1").arg(i) : QStringLiteral("Ann %1").arg(i));
    }
    options.connection.switchDisplayAvailable = true;
    GreeterRig rig(options);
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(MODERN_THEME_DIR), QStringLiteral(STANDARD_THEME_PLUGIN));

    const qreal ratio = widget->devicePixelRatioF();
    const QSize logical = screen;
    widget->setGeometry(QRect(QPoint(0, 0), logical));
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));

    auto* login = widget->findChild<LoginWidget*>();
    auto* common = widget->findChild<CommonWidget*>();
    QVERIFY(login && common);
    login->setCurrentUser(QStringLiteral("user0"));
    if (grid)
        login->setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
    // The worst case: failure line and Caps Lock warning at once.
    common->enableLoginFailedWidget(true);
    login->enableCapsLock(true);
    // A window without a window manager grows while its content asks for more room on the
    // way; the screen is what counts, so the window is put back to its size.
    widget->setGeometry(QRect(QPoint(0, 0), logical));
    QTRY_COMPARE(widget->size(), logical);

    const QString shots = qEnvironmentVariable("VESTIBULE_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        widget->grab().save(QStringLiteral("%1/%2x%3-%4%5@%6.png")
                                .arg(shots)
                                .arg(screen.width())
                                .arg(screen.height())
                                .arg(userCount)
                                .arg(grid ? QStringLiteral("-grid") : QString())
                                .arg(ratio));
    }
    const QStringList clipped = clippedControls(widget, logical);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestThemeScreens)
#include "tst_themescreens.moc"
