// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The generic plug-in conducts the login as a PAM conversation: only what differs from the
// standard theme is checked here.
#include "CommonWidget.h"
#include "GreeterRig.h"
#include "LocalAuthManager.h"
#include "ScopedSystemRoot.h"
#include "ShutdownManager.h"
#include "TestFiles.h"
#include "VirtualKeyboardManager.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace
{

const QString plugin = QStringLiteral(GENERIC_THEME_PLUGIN);
const QString theme = QStringLiteral(FIXTURE_THEME_DIR);

template<typename T>
T* findNamed(QObject* root, const char* name)
{
    return root->findChild<T*>(QString::fromLatin1(name));
}

/// The texts of the message boxes that open while @p trigger runs; each is closed at once.
QStringList messageBoxesDuring(const std::function<void()>& trigger)
{
    QStringList seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen << box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        }
    });
    poll.start(20);
    trigger();
    QTest::qWait(200);
    return seen;
}

} // namespace

class TestGenericTheme : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversationRunsThroughTheLoginArea();
    void failureEndsWithOneRestartAnswer();
    void errorsAndMessagesInBoxes();
    void sleepIsOfferedWithoutAsking();
    void resizeKeepsTheBackground();
};

void TestGenericTheme::conversationRunsThroughTheLoginArea()
{
    ScopedSystemRoot root;
    GreeterRig rig;
    // The host starts the conversation as soon as it is asked to: by then all is wired.
    QSignalSpy modeRequests(rig.auth, &LocalAuthManager::enableGenericMode);
    QObject::connect(rig.auth, &LocalAuthManager::enableGenericMode, rig.auth,
        [&] { emit rig.auth->requestReceived(QStringLiteral("Login:"), true); });
    BaseThemeWidget* widget = rig.createTheme(theme, plugin);
    QCOMPARE(modeRequests.count(), 1);
    QCOMPARE(findNamed<QLabel>(widget, "usernameLabel")->text(), QStringLiteral("Login:"));
    auto* answer = findNamed<QLineEdit>(widget, "passwordLineEdit");
    QCOMPARE(answer->echoMode(), QLineEdit::Normal);
    QVERIFY(answer->placeholderText().isEmpty());

    QSignalSpy answers(rig.auth, &LocalAuthManager::sendAnswerToPam);
    answer->setText(QStringLiteral("anna"));
    QTest::keyClick(answer, Qt::Key_Return);
    QCOMPARE(answers.count(), 1);
    QCOMPARE(answers.at(0).at(0).toString(), QStringLiteral("anna"));

    emit rig.auth->requestReceived(QStringLiteral("Password:"), false);
    emit rig.auth->messageReceived(QStringLiteral("Your password expires in 3 days"));
    QCOMPARE(answer->echoMode(), QLineEdit::Password);
    QCOMPARE(findNamed<QLabel>(widget, "userHostnameLabel")->text(), QStringLiteral("Your password expires in 3 days"));
}

void TestGenericTheme::failureEndsWithOneRestartAnswer()
{
    ScopedSystemRoot root;
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(theme, plugin);
    widget->show();
    QSignalSpy answers(rig.auth, &LocalAuthManager::sendAnswerToPam);
    auto* failure = findNamed<QLabel>(widget, "loginFailedLabel");
    auto* layoutButton = findNamed<QToolButton>(widget, "layoutToolButton");

    for (int failures = 1; failures <= 2; ++failures) {
        findNamed<QLineEdit>(widget, "passwordLineEdit")->setText(QStringLiteral("wrong"));
        emit rig.auth->loginFailed();
        QVERIFY(failure->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!failure->isVisible(), 5000);
        QCOMPARE(answers.count(), failures);
        QCOMPARE(answers.last().at(0).toString(), QStringLiteral("0"));
        // The pause gives every control back, as in the standard theme.
        QVERIFY(layoutButton->isEnabled());
        QVERIFY(findNamed<QLineEdit>(widget, "passwordLineEdit")->text().isEmpty());
    }
    QTest::qWait(2500);
    QCOMPARE(answers.count(), 2);
}

void TestGenericTheme::errorsAndMessagesInBoxes()
{
    ScopedSystemRoot root;
    GreeterOptions options;
    options.virtualKeyboardCommand = QStringLiteral("/nonexistent/onboard");
    GreeterRig rig(options);
    BaseThemeWidget* widget = rig.createTheme(theme, plugin);
    widget->show();

    QCOMPARE(messageBoxesDuring([&] { emit rig.auth->pamErrorReceived(QString(), false); }),
        QStringList { QStringLiteral("Error|") });
    QCOMPARE(messageBoxesDuring([&] { QMetaObject::invokeMethod(widget, "showMessage", Q_ARG(QString, QString())); }),
        QStringList());
    QCOMPARE(messageBoxesDuring([&] {
        QMetaObject::invokeMethod(widget, "showMessage", Q_ARG(QString, QStringLiteral("Smart card needed")));
    }),
        QStringList { QStringLiteral("Warning|Smart card needed") });
    const QStringList keyboardErrors = messageBoxesDuring([&] {
        rig.virtualKeyboard->open();
        QTest::qWait(500);
    });
    QCOMPARE(keyboardErrors.size(), 1);
    QVERIFY(keyboardErrors.first().startsWith(QLatin1String("Virtual keyboard error|")));
}

void TestGenericTheme::sleepIsOfferedWithoutAsking()
{
    // No logind answers on this bus at all; the generic theme offers suspend anyway.
    ScopedSystemRoot root;
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(theme, plugin);
    QSignalSpy requests(rig.shutdown, &ShutdownManager::shutdownRequest);
    const QList<QAction*> actions = findNamed<QToolButton>(widget, "actionsToolButton")->menu()->actions();
    QStringList texts;
    for (QAction* action : actions)
        texts << action->text();
    QVERIFY2(texts.contains(QStringLiteral("Suspend")) && texts.contains(QStringLiteral("Hibernation")),
        qPrintable(texts.join(QLatin1Char(','))));
    for (QAction* action : actions) {
        if (action->text() == QLatin1String("Suspend") || action->text() == QLatin1String("Hibernation"))
            action->trigger();
    }
    emit widget->findChild<CommonWidget*>()->suspendRequest();
    QCOMPARE(requests.count(), 3);
    QCOMPARE(requests.at(0).at(0).value<ShutdownAction>(), ShutdownAction::Suspend);
    QCOMPARE(requests.at(1).at(0).value<ShutdownAction>(), ShutdownAction::HybridSleep);
    QCOMPARE(requests.at(2).at(0).value<ShutdownAction>(), ShutdownAction::HybridSleep);
}

void TestGenericTheme::resizeKeepsTheBackground()
{
    ScopedSystemRoot root;
    QTemporaryDir copy;
    for (const QString& name : QDir(theme).entryList(QDir::Files))
        QFile::copy(QDir(theme).filePath(name), copy.filePath(name));
    QImage picture(32, 18, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    picture.save(copy.filePath(QStringLiteral("wallpaper.png")));
    TestFiles::write(copy.filePath(QStringLiteral("settings.yaml")), "background:\n  path: wallpaper.png\n");
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(copy.path(), plugin);
    widget->resize(500, 300);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    // The picture chosen for the first size stays even when its file is gone.
    QFile::remove(copy.filePath(QStringLiteral("wallpaper.png")));
    widget->resize(700, 400);
    QTRY_COMPARE(widget->size(), QSize(700, 400));
    const QImage snapshot = widget->backgroundPixmap().toImage();
    QCOMPARE(snapshot.size() / widget->devicePixelRatioF(), QSize(700, 400));
    QCOMPARE(snapshot.pixelColor(350, 200), QColor(Qt::darkBlue));
}

QTEST_MAIN(TestGenericTheme)
#include "tst_generictheme.moc"
