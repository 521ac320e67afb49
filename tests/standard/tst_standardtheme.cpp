// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The standard plug-in as a host meets it: loaded through the creator, on real managers,
// with the display manager's configuration and the theme's files under a private root.
#include "CommonWidget.h"
#include "ConnectionManager.h"
#include "Exceptions.h"
#include "GreeterRig.h"
#include "LocalAuthManager.h"
#include "LoginWidget.h"
#include "NewPasswordDialog.h"
#include "PrivateSystemBus.h"
#include "ScopedSystemRoot.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "StderrCapture.h"
#include "TestFiles.h"

#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace
{

const QString plugin = QStringLiteral(STANDARD_THEME_PLUGIN);

/// A writable copy of a theme directory, for breaking it in one place.
struct ThemeCopy {
    explicit ThemeCopy(const QString& source)
    {
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = dir.filePath(QDir(source).relativeFilePath(file));
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::copy(file, target);
        }
    }
    QString path() const { return dir.path(); }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void replaceIn(const char* name, const QByteArray& from, const QByteArray& to) const
    {
        QByteArray content = TestFiles::read(file(name));
        content.replace(from, to);
        TestFiles::write(file(name), content);
    }
    QTemporaryDir dir;
};

template<typename T>
T* findNamed(QObject* root, const char* name)
{
    return root->findChild<T*>(QString::fromLatin1(name));
}

/// Runs @p answer on the next modal dialog that opens while @p trigger runs.
void answerModal(const std::function<void()>& trigger, const std::function<void(QWidget*)>& answer)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget(); dialog && !answered) {
            answered = true;
            answer(dialog);
        }
    });
    poll.start(20);
    trigger();
    QVERIFY(answered);
}

QStringList actionTexts(BaseThemeWidget* widget)
{
    auto* button = findNamed<QToolButton>(widget, "actionsToolButton");
    QStringList texts;
    const QList<QAction*> actions = button->menu()->actions();
    for (const QAction* action : actions) {
        if (action->isVisible())
            texts << action->text();
    }
    return texts;
}

} // namespace

class TestStandardTheme : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void setupFailures_data();
    void setupFailures();
    void configurationKeys_data();
    void configurationKeys();
    void actionsFollowTheConnection();
    void sleepFollowsTheMachine_data();
    void sleepFollowsTheMachine();
    void loginGoesThroughTheDomain_data();
    void loginGoesThroughTheDomain();
    void failurePauseRestartsOnASecondFailure();
    void previousUserIsStoredAndPreselected();
    void extraPromptAnswers_data();
    void extraPromptAnswers();
    void switchSessionMenu();
    void passwordChangeReachesTheHostOncePerAnswer();
    void autoLoginRunsTheCountdown();
    void backgroundFollowsTheSize();
};

void TestStandardTheme::initTestCase()
{
    // Every sleep question of this process goes to a bus of the test's own.
    PrivateSystemBus bus;
}

void TestStandardTheme::setupFailures_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("omittedManager");
    QTest::addColumn<QString>("expectedError");

    QTest::newRow("missing common form") << "common_widget.ui" << QByteArray() << QByteArray() << QString()
                                         << "common_widget.ui";
    QTest::newRow("missing central form")
        << "central_widget.ui" << QByteArray() << QByteArray() << QString() << "central_widget.ui";
    QTest::newRow("no central grid") << "common_widget.ui" << QByteArray("\"centralGridLayout\"")
                                     << QByteArray("\"elsewhere\"") << QString()
                                     << "Widget 'centralGridLayout' not found";
    QTest::newRow("user item without its picture")
        << "vertical_user_item.ui" << QByteArray("\"iconLabel\"") << QByteArray("\"pictureLabel\"") << QString()
        << "Widget 'iconLabel' not found";
    QTest::newRow("no date and time") << "common_widget.ui" << QByteArray("\"dateTimeWidget\"")
                                      << QByteArray("\"clockWidget\"") << QString()
                                      << "Widget 'dateTimeWidget' not found";

    const QStringList ids { QStringLiteral("sessions"), QStringLiteral("users"), QStringLiteral("keyboard"),
        QStringLiteral("virtualkeyboard"), QStringLiteral("shutdown"), QStringLiteral("connection"),
        QStringLiteral("consoleAuth"), QStringLiteral("localAuth") };
    for (const QString& id : ids) {
        QTest::newRow(qPrintable(QStringLiteral("no manager ") + id))
            << QString() << QByteArray() << QByteArray() << id
            << QStringLiteral("Greeter manager '%1' not found").arg(id);
    }
}

void TestStandardTheme::setupFailures()
{
    QFETCH(QString, form);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, omittedManager);
    QFETCH(QString, expectedError);

    ScopedSystemRoot root;
    ThemeCopy theme(QStringLiteral(FIXTURE_THEME_DIR));
    if (!form.isEmpty() && from.isEmpty())
        QVERIFY(QFile::remove(theme.dir.filePath(form)));
    else if (!form.isEmpty())
        theme.replaceIn(qPrintable(form), from, to);
    GreeterOptions options;
    if (!omittedManager.isEmpty())
        options.omittedManagers << omittedManager;
    GreeterRig rig(options);

    try {
        rig.createTheme(theme.path(), plugin);
        QFAIL("the theme was built");
    } catch (const DetailsException& error) {
        QVERIFY2(error.fullDetails().contains(expectedError), qPrintable(error.fullDetails()));
    }
}

void TestStandardTheme::configurationKeys_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("hosts");
    QTest::addColumn<bool>("passwordless");
    QTest::addColumn<QString>("greeting");
    QTest::addColumn<QString>("xfceEntry");

    const QByteArray aliases("menu_session_aliases:\n  - session_type: xfce\n    alias:\n      en: Xfce desktop\n");
    QTest::newRow("no file, broken settings")
        << QByteArray() << QByteArray("background: [\n") << QStringList() << false << QString() << "Xfce Session";
    QTest::newRow("empty domain parts dropped")
        << QByteArray("[X-*-Greeter]\nDomains=corp.example::lab.example:\n") << aliases
        << QStringList { QStringLiteral("Local computer"), QStringLiteral("corp.example"),
               QStringLiteral("lab.example") }
        << false << QString() << "Xfce desktop";
    QTest::newRow("domains with commas") << QByteArray("[X-*-Greeter]\nDomains=a,b:c\n") << aliases
                                         << QStringList { QStringLiteral("Local computer"), QStringLiteral("a,b"),
                                                QStringLiteral("c") }
                                         << false << QString() << "Xfce desktop";
    QTest::newRow("greeting and no-password users") << QByteArray(
        "[X-*-Greeter]\nGreetString=Welcome, colleague\n[X-:*-Core]\nNoPassEnable=true\nNoPassUsers=anna,,boris\n")
                                                    << aliases << QStringList() << true << "Welcome, colleague"
                                                    << "Xfce desktop";
    QTest::newRow("true inside a longer word") << QByteArray("[X-:*-Core]\nNoPassEnable=untrue\nNoPassUsers=anna\n")
                                               << aliases << QStringList() << true << QString() << "Xfce desktop";
    QTest::newRow("capital True") << QByteArray("[X-:*-Core]\nNoPassEnable=True\nNoPassUsers=anna\n") << aliases
                                  << QStringList() << false << QString() << "Xfce desktop";
    QTest::newRow("enabled without users") << QByteArray("[X-:*-Core]\nNoPassEnable=true\nNoPassUsers=,\n") << aliases
                                           << QStringList() << false << QString() << "Xfce desktop";
    QTest::newRow("alias that is not text")
        << QByteArray() << QByteArray("menu_session_aliases:\n  - session_type: xfce\n    alias:\n      en: [1, 2]\n")
        << QStringList() << false << QString() << "Xfce Session";
}

void TestStandardTheme::configurationKeys()
{
    QFETCH(QByteArray, config);
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, hosts);
    QFETCH(bool, passwordless);
    QFETCH(QString, greeting);
    QFETCH(QString, xfceEntry);

    ScopedSystemRoot root;
    if (!config.isEmpty())
        root.writeFile(QStringLiteral("/etc/X11/nimb-dm/nimb-dmrc"), config);
    ThemeCopy theme(QStringLiteral(FIXTURE_THEME_DIR));
    TestFiles::write(theme.file("settings.yaml"), settings);
    GreeterOptions options;
    options.connection.switchDisplayAvailable = true;
    GreeterRig rig(options);
    StderrCapture stderrCapture;
    BaseThemeWidget* widget = rig.createTheme(theme.path(), plugin);
    const QByteArray diagnostics = stderrCapture.text();

    // A broken alias is named on standard error; the screen is built all the same.
    QCOMPARE(diagnostics.contains("settings.yaml"), QTest::currentDataTag() == QByteArray("alias that is not text"));
    auto* combo = findNamed<QComboBox>(widget, "hostsComboBox");
    QTRY_COMPARE(combo->count(), hosts.size());
    for (int i = 0; i < hosts.size(); ++i)
        QCOMPARE(combo->itemText(i), hosts.at(i));
    auto* login = widget->findChild<LoginWidget*>();
    QCOMPARE(login->checkUserInNoPassList(QStringLiteral("anna")), passwordless);
    QCOMPARE(login->checkUserInNoPassList(QStringLiteral("clara")), false);
    if (!greeting.isEmpty())
        QVERIFY(widget->findChild<QLabel*>(QStringLiteral("hostnameLabel"))->text().contains(greeting));
    QCOMPARE(rig.sessions->availableSessions().value(QStringLiteral("xfce")).alias,
        xfceEntry == QLatin1String("Xfce desktop") ? xfceEntry : QString());
}

void TestStandardTheme::actionsFollowTheConnection()
{
    ScopedSystemRoot root;
    GreeterOptions options;
    options.connection.exitAllowed = true;
    options.connection.switchDisplayAvailable = true;
    options.connection.chooserDialogAvailable = true;
    options.hasConsole = true;
    GreeterRig rig(options);
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    // No logind answers here: no suspend and no hibernation, whatever else is offered.
    QCOMPARE(actionTexts(widget),
        (QStringList { QStringLiteral("Switch session"), QStringLiteral("Choose user"),
            rig.connection->exitAction().second, QStringLiteral("Remote login"), QStringLiteral("Console login"),
            QStringLiteral("Reboot"), QStringLiteral("Shutdown") }));
    QVERIFY(!findNamed<QToolButton>(widget, "suspendToolButton")->isVisibleTo(widget));

    GreeterOptions locked;
    locked.allowShutdownNone = true;
    locked.hasConsole = false;
    locked.connection = ConnectionManager::ConnectionData();
    GreeterRig lockedRig(locked);
    widget = lockedRig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    QCOMPARE(actionTexts(widget), QStringList { QStringLiteral("Choose user") });
    QVERIFY(!findNamed<QToolButton>(widget, "rebootToolButton")->isVisibleTo(widget));
    QVERIFY(!findNamed<QToolButton>(widget, "shutdownToolButton")->isVisibleTo(widget));
    QSignalSpy requests(lockedRig.shutdown, &ShutdownManager::shutdownRequest);
    emit widget->findChild<CommonWidget*>()->rebootRequest();
    emit widget->findChild<CommonWidget*>()->suspendRequest();
    QCOMPARE(requests.count(), 0);
}

void TestStandardTheme::sleepFollowsTheMachine_data()
{
    // What logind answers to CanSuspend, CanHybridSleep and CanHibernate.
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<bool>("allowShutdownNone");
    QTest::addColumn<QStringList>("powerActions");
    QTest::addColumn<int>("suspendRequests"); ///< ShutdownAction of the suspend button, -1 for none

    const QStringList all { QStringLiteral("Reboot"), QStringLiteral("Shutdown"), QStringLiteral("Suspend"),
        QStringLiteral("Hibernation") };
    QTest::newRow("everything") << QStringList { QStringLiteral("yes"), QStringLiteral("yes"), QStringLiteral("yes") }
                                << false << all << int(ShutdownAction::Suspend);
    QTest::newRow("only hybrid sleep") << QStringList { QStringLiteral("no"), QStringLiteral("yes"),
        QStringLiteral("na") } << false << QStringList(all.mid(0, 3))
                                       << int(ShutdownAction::HybridSleep);
    QTest::newRow("only hibernation") << QStringList { QStringLiteral("challenge"), QStringLiteral("no"),
        QStringLiteral("yes") } << false
                                      << QStringList { all.at(0), all.at(1), all.at(3) } << -1;
    QTest::newRow("shutdown not allowed")
        << QStringList { QStringLiteral("yes"), QStringLiteral("yes"), QStringLiteral("yes") } << true << QStringList()
        << -1;
}

void TestStandardTheme::sleepFollowsTheMachine()
{
    QFETCH(QStringList, replies);
    QFETCH(bool, allowShutdownNone);
    QFETCH(QStringList, powerActions);
    QFETCH(int, suspendRequests);

    PrivateSystemBus bus;
    QVERIFY(bus.start());
    QVERIFY(bus.startLogind(QStringLiteral(FAKE_LOGIN1), replies));
    ScopedSystemRoot root;
    GreeterOptions options;
    options.allowShutdownNone = allowShutdownNone;
    options.hasConsole = false;
    options.connection = ConnectionManager::ConnectionData();
    GreeterRig rig(options);
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);

    QCOMPARE(actionTexts(widget), QStringList { QStringLiteral("Choose user") } + powerActions);
    QCOMPARE(findNamed<QToolButton>(widget, "suspendToolButton")->isVisibleTo(widget), suspendRequests >= 0);
    QSignalSpy requests(rig.shutdown, &ShutdownManager::shutdownRequest);
    emit widget->findChild<CommonWidget*>()->suspendRequest();
    QCOMPARE(requests.count(), suspendRequests >= 0 ? 1 : 0);
    if (suspendRequests >= 0)
        QCOMPARE(int(requests.at(0).at(0).value<ShutdownAction>()), suspendRequests);
}

void TestStandardTheme::loginGoesThroughTheDomain_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("expectedLogin");

    QTest::newRow("local computer") << QByteArray("[X-*-Greeter]\nDomains=corp.example\n") << "Local computer"
                                    << "anna";
    QTest::newRow("domain after the user") << QByteArray("[X-*-Greeter]\nDomains=corp.example\n") << "corp.example"
                                           << "anna@corp.example";
    QTest::newRow("domain before the user")
        << QByteArray("[X-*-Greeter]\nDomains=CORP\nSeparator=\\\\\nIsPrefixDomain=true\n") << "CORP"
        << "CORP\\anna";
    QTest::newRow("no domains") << QByteArray() << QString() << "anna";
}

void TestStandardTheme::loginGoesThroughTheDomain()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, host);
    QFETCH(QString, expectedLogin);

    ScopedSystemRoot root;
    if (!config.isEmpty())
        root.writeFile(QStringLiteral("/etc/X11/nimb-dm/nimb-dmrc"), config);
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    auto* login = widget->findChild<LoginWidget*>();
    login->setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);
    auto* combo = findNamed<QComboBox>(widget, "hostsComboBox");
    if (!host.isEmpty()) {
        QTRY_VERIFY(combo->findText(host) >= 0);
        combo->setCurrentIndex(combo->findText(host));
    }
    findNamed<QLineEdit>(widget, "usernameLineEdit")->setText(QStringLiteral("anna"));
    findNamed<QLineEdit>(widget, "passwordUsernameLineEdit")->setText(QStringLiteral("secret"));
    QSignalSpy sessionRequests(rig.sessions, &SessionsManager::setNextSessionTypeRequest);
    QSignalSpy loginRequests(rig.auth, &LocalAuthManager::loginRequest);

    QMetaObject::invokeMethod(login, "loginUsernameToolButtonClicked");

    QCOMPARE(loginRequests.count(), 1);
    const AuthData data = loginRequests.at(0).at(0).value<AuthData>();
    QCOMPARE(data.login, expectedLogin);
    QCOMPARE(data.password, QStringLiteral("secret"));
    // No session chosen: the host's default applies, nothing is requested.
    QCOMPARE(sessionRequests.count(), 0);
    QVERIFY(!findNamed<QToolButton>(widget, "layoutToolButton")->isEnabled());
}

void TestStandardTheme::failurePauseRestartsOnASecondFailure()
{
    ScopedSystemRoot root;
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    widget->show();
    auto* password = findNamed<QLineEdit>(widget, "passwordLineEdit");
    auto* failure = findNamed<QLabel>(widget, "loginFailedLabel");
    auto* layoutButton = findNamed<QToolButton>(widget, "layoutToolButton");
    password->setText(QStringLiteral("wrong"));
    QMetaObject::invokeMethod(widget->findChild<LoginWidget*>(), "loginToolButtonClicked");
    QVERIFY(!layoutButton->isEnabled());

    QElapsedTimer clock;
    emit rig.auth->loginFailed();
    clock.start();
    QVERIFY(failure->isVisible());
    QTest::qWait(1000);
    emit rig.auth->loginFailed();
    const qint64 secondFailure = clock.elapsed();
    QTRY_VERIFY_WITH_TIMEOUT(layoutButton->isEnabled(), 5000);
    // The second failure restarted the pause: it ended well after the first would have.
    QVERIFY2(clock.elapsed() - secondFailure >= 1800, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!failure->isVisible());
    QVERIFY(password->text().isEmpty());
    QVERIFY(password->isEnabled());
}

void TestStandardTheme::previousUserIsStoredAndPreselected()
{
    ScopedSystemRoot root;
    GreeterOptions options;
    options.systemInfo.prevUserFile = root.filePath(QStringLiteral("/var/lib/nimb-dm/prev-user"));
    options.systemInfo.prevUserKey = QStringLiteral("user");
    {
        GreeterRig rig(options);
        BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
        widget->findChild<LoginWidget*>()->setCurrentUser(QStringLiteral("boris"));
        emit rig.auth->successLogin();
    }
    options.preselUser = UsersManager::PreselPrevious;
    GreeterRig rig(options);
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    QCOMPARE(widget->findChild<LoginWidget*>()->currentUsername(), QStringLiteral("boris"));
}

void TestStandardTheme::extraPromptAnswers_data()
{
    QTest::addColumn<bool>("echo");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one-time code") << true << true << "123456";
    QTest::newRow("hidden answer") << false << true << "123456";
    QTest::newRow("cancelled") << false << false << "";
}

void TestStandardTheme::extraPromptAnswers()
{
    QFETCH(bool, echo);
    QFETCH(bool, accept);
    QFETCH(QString, expected);

    ScopedSystemRoot root;
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    widget->show();
    QSignalSpy answers(rig.auth, &LocalAuthManager::sendStringToPam);
    answerModal([&] { emit rig.auth->anotherRequestDialog(QStringLiteral("One-time code:"), echo); },
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->labelText(), QStringLiteral("One-time code:"));
            QCOMPARE(dialog->textEchoMode(), echo ? QLineEdit::Normal : QLineEdit::Password);
            dialog->setTextValue(QStringLiteral("123456"));
            accept ? dialog->accept() : dialog->reject();
        });
    QCOMPARE(answers.count(), 1);
    QCOMPARE(answers.at(0).at(0).toString(), expected);
}

void TestStandardTheme::switchSessionMenu()
{
    ScopedSystemRoot root;
    GreeterOptions options;
    options.connection.switchDisplayAvailable = true;
    GreeterRig rig(options);
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    QObject::connect(rig.connection, &ConnectionManager::displaySessionsRequest, rig.connection, [&] {
        DpyDescription here;
        here.vt = 7;
        here.caption = QStringLiteral("anna");
        here.detail = QStringLiteral(":0");
        here.current = true;
        DpyDescription remote = here;
        remote.vt = 0;
        remote.caption = QStringLiteral("remote");
        remote.current = false;
        DpyDescription other = remote;
        other.vt = 8;
        other.caption = QStringLiteral("boris");
        emit rig.connection->updateDisplaySessions({ here, remote, other });
    });
    QSignalSpy updated(widget, SIGNAL(dpyMenuUpdatingCompleted()));
    QSignalSpy switches(rig.connection, &ConnectionManager::switchDisplayRequest);

    QMenu* menu = nullptr;
    for (QMenu* candidate : widget->findChildren<QMenu*>()) {
        if (candidate->title() == QLatin1String("Switch session"))
            menu = candidate;
    }
    QVERIFY(menu);
    emit menu->aboutToShow();
    QCOMPARE(updated.count(), 1);
    const QList<QAction*> entries = menu->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(0)->text(), QStringLiteral("anna (:0)"));
    QVERIFY(entries.at(0)->isChecked());
    QCOMPARE(entries.at(1)->data().toInt(), -1);
    QVERIFY(!entries.at(1)->isEnabled());
    entries.at(0)->trigger(); // the current session: only unchecked
    entries.at(2)->trigger();
    QCOMPARE(switches.count(), 1);
    QCOMPARE(switches.at(0).at(0).toInt(), 8);
}

void TestStandardTheme::passwordChangeReachesTheHostOncePerAnswer()
{
    ScopedSystemRoot root;
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    widget->findChild<LoginWidget*>()->setCurrentUser(QStringLiteral("anna"));
    findNamed<QLineEdit>(widget, "passwordLineEdit")->setText(QStringLiteral("expired"));
    QSignalSpy answers(rig.auth, &LocalAuthManager::newPasswordInsertionCompleted);
    QSignalSpy rejections(rig.auth, &LocalAuthManager::newPasswordInsertionRejected);

    for (int round = 1; round <= 2; ++round) {
        emit rig.auth->passwordChangeRequested(false);
        QList<NewPasswordDialog*> dialogs = widget->findChildren<NewPasswordDialog*>();
        QVERIFY(!dialogs.isEmpty());
        emit dialogs.last()->insertionCompleted(QString(), QStringLiteral("n3w-Pass"), QStringLiteral("n3w-Pass"));
        QCOMPARE(answers.count(), round);
    }
    QCOMPARE(answers.last(),
        (QList<QVariant> { QStringLiteral("anna"), QStringLiteral("expired"), QStringLiteral("n3w-Pass"),
            QStringLiteral("n3w-Pass") }));
    NewPasswordDialog* last = widget->findChildren<NewPasswordDialog*>().last();
    last->reject();
    QCOMPARE(rejections.count(), 1);
    QTRY_COMPARE(widget->findChildren<NewPasswordDialog*>().size(), 1);
}

void TestStandardTheme::autoLoginRunsTheCountdown()
{
    ScopedSystemRoot root;
    GreeterOptions options;
    options.autoLoginDelay = 30;
    options.autoLoginUser = QStringLiteral("clara");
    GreeterRig rig(options);
    BaseThemeWidget* widget = rig.createTheme(QStringLiteral(FIXTURE_THEME_DIR), plugin);
    widget->show();
    auto* common = widget->findChild<CommonWidget*>();
    QSignalSpy requests(rig.auth, &LocalAuthManager::autoLoginRequest);
    answerModal([&] { widget->exec(); },
        [&](QWidget* dialog) {
            QVERIFY(!common->isEnabled());
            QCOMPARE(widget->findChild<LoginWidget*>()->currentUsername(), QStringLiteral("clara"));
            static_cast<QDialog*>(dialog)->accept();
        });
    QCOMPARE(requests.count(), 1);
    QVERIFY(!common->isEnabled());
    emit rig.auth->loginFailed();
    QVERIFY(common->isEnabled());
}

void TestStandardTheme::backgroundFollowsTheSize()
{
    ScopedSystemRoot root;
    ThemeCopy theme(QStringLiteral(FIXTURE_THEME_DIR));
    QImage picture(64, 36, QImage::Format_RGB32);
    picture.fill(Qt::darkRed);
    picture.save(theme.file("wallpaper.png"));
    TestFiles::write(theme.file("settings.yaml"), "background:\n  path: wallpaper.png\n");
    GreeterRig rig;
    BaseThemeWidget* widget = rig.createTheme(theme.path(), plugin);
    widget->resize(640, 360);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    widget->resize(800, 450);
    QTRY_COMPARE(widget->size(), QSize(800, 450));
    const QPixmap snapshot = widget->backgroundPixmap();
    QCOMPARE(snapshot.size() / snapshot.devicePixelRatio(), QSize(800, 450));
    QCOMPARE(snapshot.toImage().pixelColor(400, 200), QColor(Qt::darkRed));
}

QTEST_MAIN(TestStandardTheme)
#include "tst_standardtheme.moc"
