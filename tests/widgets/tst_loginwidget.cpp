// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"
#include "LoginWidgetFixture.h"
#include "MetaSignatures.h"
#include "NssDatabase.h"
#include "TestUserDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <sys/utsname.h>

class LoginWidgetTest : public QObject
{
    Q_OBJECT
public:
    explicit LoginWidgetTest(const NssDatabase&) { }

private Q_SLOTS:
    void loadBindsTheFormAndStartsOnTheUsernamePage();
    void missingNamedWidgetThrows();
    void signalsInDeclarationOrder();

    void unknownAuthPageChangesNothing();
    void userInfoPageChoosesAUserAndFocusesThePassword();
    void usernamePageCopiesTheChosenName();
    void authPageChangedCarriesTheNewPage();
    void escapeAndToggleShortcutSlots();

    void loginRequestFromTheUserInfoPage();
    void loginRequestFromTheUsernamePageWithHost();
    void returnInAnEmptyUsernameDoesNothing();
    void noPassUsersSubmitAtOnce_data();
    void noPassUsersSubmitAtOnce();

    void placeholdersFollowTheToken();
    void singleTokenUserIsChosen();
    void setCurrentUserFallsBackToTheUsernamePage();
    void tokenMessageHidesThePasswordField();
    void enableLoginWidgetsTogglesTheInputs();

    void greeting_data();
    void greeting();
    void emptyHostLeavesTheGreeting();
    void hostsList();

    void clickOutsideCollapsesTheShortList();
};

void LoginWidgetTest::loadBindsTheFormAndStartsOnTheUsernamePage()
{
    LoginWidgetFixture f;
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::EnterUsernamePage);
    QCOMPARE(f.widget.currentCommonWidgetPage(), LoginWidget::LoginPage);
    QCOMPARE(f.widget.currentUsersWidgetPage(), LoginWidget::ChangeUserButtonPage);
    QVERIFY(!f.child<QWidget>("userSelectionWidget")->isVisibleTo(&f.widget));
    QVERIFY(!f.child<QLabel>("capsLockLabel")->isVisibleTo(&f.widget));
    QVERIFY(!f.child<QLabel>("capsLockUsernameLabel")->isVisibleTo(&f.widget));
    QCOMPARE(f.child<QLineEdit>("passwordLineEdit")->contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(f.widget.focusProxy(), f.child<QWidget>("enterUsernamePage"));
    QCOMPARE(f.child<QWidget>("enterUsernamePage")->focusProxy(), f.child<QWidget>("usernameLineEdit"));
    QCOMPARE(f.child<QWidget>("userInfoPage")->focusProxy(), f.child<QWidget>("passwordLineEdit"));

    f.widget.setCurrentAuthPage(LoginWidget::UserInfoPage, false);
    QCOMPARE(f.widget.focusProxy(), f.child<QWidget>("userInfoPage"));
    f.widget.enableCapsLock(true);
    QVERIFY(f.child<QLabel>("capsLockLabel")->isVisibleTo(&f.widget));
}

void LoginWidgetTest::missingNamedWidgetThrows()
{
    try {
        LoginWidgetFixture f(
            false, [](QWidget* form) { delete form->findChild<QLabel*>(QStringLiteral("hostnameLabel")); });
        QFAIL("no exception");
    } catch (const CommonException& e) {
        QCOMPARE(e.fullDetails(), QStringLiteral("Widget 'hostnameLabel' not found in parent ''"));
    }
}

void LoginWidgetTest::signalsInDeclarationOrder()
{
    QCOMPARE(MetaSignatures::ownSignals(LoginWidget::staticMetaObject),
        (QStringList { QStringLiteral("currentUserChanged(QString)"), QStringLiteral("usernameChanged(QString)"),
            QStringLiteral("loginRequest(AuthData,QString)"), QStringLiteral("authPageChanged(LoginWidget::AuthPage)"),
            QStringLiteral("submitAnswerToPam(QString)") }));
}

void LoginWidgetTest::unknownAuthPageChangesNothing()
{
    LoginWidgetFixture f;
    f.child<QLineEdit>("passwordUsernameLineEdit")->setText(QStringLiteral("secret"));
    QSignalSpy spy(&f.widget, &LoginWidget::authPageChanged);
    f.widget.setCurrentAuthPage(LoginWidget::UnknownAuthPage, true);
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::EnterUsernamePage);
    QCOMPARE(f.child<QLineEdit>("passwordUsernameLineEdit")->text(), QStringLiteral("secret"));
    QCOMPARE(spy.count(), 0);
}

void LoginWidgetTest::userInfoPageChoosesAUserAndFocusesThePassword()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "boris" }), false);
    f.widget.setCurrentUserData(UserData());
    f.widget.show();
    f.widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.child<QLineEdit>("passwordLineEdit")->setText(QStringLiteral("typed"));

    f.widget.setCurrentAuthPage(LoginWidget::UserInfoPage, false);
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::UserInfoPage);
    QCOMPARE(f.widget.currentUsername(), QStringLiteral("anna"));
    QVERIFY(f.child<QLineEdit>("passwordLineEdit")->text().isEmpty());
    QTRY_COMPARE(QApplication::focusWidget(), f.child<QWidget>("passwordLineEdit"));
}

void LoginWidgetTest::usernamePageCopiesTheChosenName()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "boris" }), false);
    f.widget.setCurrentUser(QStringLiteral("boris"));
    f.widget.setFocusPassword(true);
    f.widget.show();
    f.widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));

    f.widget.setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);
    QCOMPARE(f.child<QLineEdit>("usernameLineEdit")->text(), QStringLiteral("boris"));
    QCOMPARE(f.widget.currentUsername(), QStringLiteral("boris"));
    // A known name and the focus-password setting: the password field takes the focus.
    QTRY_COMPARE(QApplication::focusWidget(), f.child<QWidget>("passwordUsernameLineEdit"));

    f.widget.setCurrentAuthPage(LoginWidget::UserInfoPage, false);
    f.widget.setCurrentAuthPage(LoginWidget::EnterUsernamePage, true);
    QTRY_COMPARE(QApplication::focusWidget(), f.child<QWidget>("usernameLineEdit"));
    QCOMPARE(f.child<QLineEdit>("usernameLineEdit")->selectedText(), QStringLiteral("boris"));

    f.widget.enableTokenMessage(true);
    f.widget.setCurrentAuthPage(LoginWidget::UserInfoPage, false);
    f.widget.setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);
    QVERIFY(f.child<QLineEdit>("usernameLineEdit")->text().isEmpty());
}

void LoginWidgetTest::authPageChangedCarriesTheNewPage()
{
    LoginWidgetFixture f;
    QSignalSpy spy(&f.widget, &LoginWidget::authPageChanged);
    f.widget.setLoginStackedWidgetPage(QStringLiteral("enterUsernamePage"));
    QCOMPARE(spy.count(), 0);
    f.widget.setLoginStackedWidgetPage(0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.last().at(0).value<LoginWidget::AuthPage>(), LoginWidget::UserInfoPage);
    QVERIFY_EXCEPTION_THROWN(f.widget.setLoginStackedWidgetPage(QStringLiteral("noSuchPage")), CommonException);
    QVERIFY_EXCEPTION_THROWN(f.widget.setCommonStackedWidgetPage(QStringLiteral("noSuchPage")), CommonException);
}

void LoginWidgetTest::escapeAndToggleShortcutSlots()
{
    LoginWidgetFixture f;
    f.widget.setCurrentUsersWidgetPage(LoginWidget::ShortUsersPage);
    f.widget.setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
    f.widget.escapeKeyShortcutActivated();
    QCOMPARE(f.widget.currentUsersWidgetPage(), LoginWidget::ChangeUserButtonPage);
    QCOMPARE(f.widget.currentCommonWidgetPage(), LoginWidget::LoginPage);

    f.widget.changeSelectingUserShortcutActivated();
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::UserInfoPage);
    f.widget.changeSelectingUserShortcutActivated();
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::EnterUsernamePage);

    // The real Escape key reaches the shortcut.
    f.widget.show();
    f.widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.widget.setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
    QTest::keyClick(f.child<QWidget>("usersFilterLineEdit"), Qt::Key_Escape);
    QCOMPARE(f.widget.currentCommonWidgetPage(), LoginWidget::LoginPage);
}

void LoginWidgetTest::loginRequestFromTheUserInfoPage()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "boris" }), false);
    f.widget.setCurrentUser(QStringLiteral("anna"));
    QSignalSpy spy(&f.widget, &LoginWidget::loginRequest);
    auto* password = f.child<QLineEdit>("passwordLineEdit");
    QTest::keyClicks(password, QStringLiteral("pw1"));
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(spy.count(), 1);
    const auto data = spy.at(0).at(0).value<AuthData>();
    QCOMPARE(data.login, QStringLiteral("anna"));
    QCOMPARE(data.password, QStringLiteral("pw1"));
    QCOMPARE(spy.at(0).at(1).toString(), QString());
    // Nothing is cleared or disabled by the widget itself.
    QCOMPARE(password->text(), QStringLiteral("pw1"));
    QVERIFY(password->isEnabled());
}

void LoginWidgetTest::loginRequestFromTheUsernamePageWithHost()
{
    LoginWidgetFixture f;
    QSignalSpy spy(&f.widget, &LoginWidget::loginRequest);
    f.child<QLineEdit>("usernameLineEdit")->setText(QStringLiteral("CORP\\eva"));
    f.child<QLineEdit>("passwordUsernameLineEdit")->setText(QStringLiteral("secret"));
    f.child<QToolButton>("loginUsernameToolButton")->click();
    QCOMPARE(spy.last().at(1).toString(), QString());

    f.widget.updateHostsList({ QStringLiteral("Local computer"), QStringLiteral("CORP") });
    f.widget.setCurrentHostname(QStringLiteral("CORP"));
    QTest::keyClick(f.child<QLineEdit>("passwordUsernameLineEdit"), Qt::Key_Return);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.last().at(0).value<AuthData>().login, QStringLiteral("CORP\\eva"));
    QCOMPARE(spy.last().at(0).value<AuthData>().password, QStringLiteral("secret"));
    QCOMPARE(spy.last().at(1).toString(), QStringLiteral("CORP"));
}

void LoginWidgetTest::returnInAnEmptyUsernameDoesNothing()
{
    LoginWidgetFixture f;
    f.widget.setNoPass(true, { QString() });
    QSignalSpy spy(&f.widget, &LoginWidget::loginRequest);
    QTest::keyClick(f.child<QLineEdit>("usernameLineEdit"), Qt::Key_Return);
    QCOMPARE(spy.count(), 0);
}

void LoginWidgetTest::noPassUsersSubmitAtOnce_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("submits");
    QTest::newRow("listed name") << QStringList { QStringLiteral("guest"), QStringLiteral("kiosk") } << true
                                 << QStringLiteral("kiosk") << true;
    QTest::newRow("name compared exactly")
        << QStringList { QStringLiteral("Kiosk") } << true << QStringLiteral("kiosk") << false;
    QTest::newRow("member of a listed group")
        << QStringList { QStringLiteral("@staff") } << true << QStringLiteral("dmitri") << true;
    QTest::newRow("primary group member")
        << QStringList { QStringLiteral("@staff") } << true << QStringLiteral("felix") << true;
    QTest::newRow("not a member") << QStringList { QStringLiteral("@staff") } << true << QStringLiteral("boris")
                                  << false;
    QTest::newRow("flag off") << QStringList { QStringLiteral("kiosk") } << false << QStringLiteral("kiosk") << false;
}

void LoginWidgetTest::noPassUsersSubmitAtOnce()
{
    QFETCH(QStringList, list);
    QFETCH(bool, enabled);
    QFETCH(QString, user);
    QFETCH(bool, submits);
    LoginWidgetFixture f;
    f.widget.setNoPass(enabled, list);
    f.widget.show();
    f.widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    QSignalSpy spy(&f.widget, &LoginWidget::loginRequest);
    auto* username = f.child<QLineEdit>("usernameLineEdit");
    username->setText(user);
    QTest::keyClick(username, Qt::Key_Return);
    QCOMPARE(spy.count(), submits ? 1 : 0);
    if (!submits && enabled)
        QTRY_COMPARE(QApplication::focusWidget(), f.child<QWidget>("passwordUsernameLineEdit"));
}

void LoginWidgetTest::placeholdersFollowTheToken()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "*boris" }), false);
    f.widget.setCurrentUser(QStringLiteral("boris"));
    QCOMPARE(f.child<QLineEdit>("passwordLineEdit")->placeholderText(), QStringLiteral("PIN"));
    f.widget.setCurrentUser(QStringLiteral("anna"));
    QCOMPARE(f.child<QLineEdit>("passwordLineEdit")->placeholderText(), QStringLiteral("Password"));

    auto* username = f.child<QLineEdit>("usernameLineEdit");
    QSignalSpy changed(&f.widget, &LoginWidget::usernameChanged);
    username->setText(QStringLiteral("boris"));
    QCOMPARE(f.child<QLineEdit>("passwordUsernameLineEdit")->placeholderText(), QStringLiteral("PIN"));
    username->setText(QStringLiteral("nobody-known"));
    QCOMPARE(f.child<QLineEdit>("passwordUsernameLineEdit")->placeholderText(), QStringLiteral("Password"));
    QCOMPARE(changed.last().at(0).toString(), QStringLiteral("nobody-known"));
}

void LoginWidgetTest::singleTokenUserIsChosen()
{
    LoginWidgetFixture f;
    QSignalSpy spy(&f.widget, &LoginWidget::currentUserChanged);
    f.widget.selectCurrentUserData(makeUsers({ "anna", "*boris", "clara" }));
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("boris"));
    f.widget.selectCurrentUserData(makeUsers({ "anna", "*boris", "*clara" }));
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("anna"));
    f.widget.selectCurrentUserData(makeUsers({ "anna", "clara" }));
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("anna"));
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("anna"));
}

void LoginWidgetTest::setCurrentUserFallsBackToTheUsernamePage()
{
    LoginWidgetFixture f;
    f.widget.setGreetString(QStringLiteral("on %h"));
    f.widget.setUsers(makeUsers({ "anna", "boris" }), false);
    f.widget.setCurrentUser(QStringLiteral("boris"));
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::UserInfoPage);
    QCOMPARE(f.child<QLabel>("userHostnameLabel")->text(), QStringLiteral("on station"));
    QVERIFY(!f.child<QLabel>("selectedUserIconLabel")->pixmap(Qt::ReturnByValue).isNull());

    f.widget.setCurrentUser(QStringLiteral("stranger"));
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::EnterUsernamePage);
    QCOMPARE(f.child<QLineEdit>("usernameLineEdit")->text(), QStringLiteral("stranger"));
    QVERIFY(f.child<QLabel>("usernameLabel")->text().isEmpty());
    QVERIFY(f.child<QLabel>("userHostnameLabel")->text().isEmpty());
}

void LoginWidgetTest::tokenMessageHidesThePasswordField()
{
    LoginWidgetFixture f;
    f.child<QLineEdit>("passwordLineEdit")->setText(QStringLiteral("x"));
    f.widget.enableTokenMessage(true);
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("Please, insert token"));
    QVERIFY(f.child<QWidget>("passwordLineEdit")->isHidden());
    QVERIFY(f.child<QWidget>("loginToolButton")->isHidden());
    QVERIFY(f.child<QWidget>("userHostnameLabel")->isHidden());
    QVERIFY(f.child<QLineEdit>("passwordLineEdit")->text().isEmpty());
    f.widget.enableTokenMessage(false);
    QVERIFY(!f.child<QWidget>("passwordLineEdit")->isHidden());
    QVERIFY(!f.child<QWidget>("loginToolButton")->isHidden());
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("Please, insert token"));
}

void LoginWidgetTest::enableLoginWidgetsTogglesTheInputs()
{
    LoginWidgetFixture f;
    f.widget.enableLoginWidgets(false);
    for (const char* name : { "passwordLineEdit", "loginToolButton", "changeUserToolButton", "hostsComboBox",
             "usernameLineEdit", "passwordUsernameLineEdit", "loginUsernameToolButton" })
        QVERIFY2(!f.child<QWidget>(name)->isEnabled(), name);
    QVERIFY(f.child<QWidget>("usersFilterLineEdit")->isEnabled());
    f.widget.enableLoginWidgets(true);
    QVERIFY(f.child<QWidget>("passwordLineEdit")->isEnabled());
}

void LoginWidgetTest::greeting_data()
{
    struct utsname system;
    uname(&system);
    const QString node = QString::fromLocal8Bit(system.nodename).section(QLatin1Char('.'), 0, 0);
    const QString fix = QStringLiteral("[fix nimb-dmrc]");

    QTest::addColumn<QString>("greet");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default") << QString() << QStringLiteral("Welcome to host7");
    QTest::newRow("doubled percent") << QStringLiteral("100%% %h") << QStringLiteral("100% host7");
    QTest::newRow("single percent") << QStringLiteral("%") << fix;
    QTest::newRow("percent at the end") << QStringLiteral("ab%") << QStringLiteral("ab") + fix;
    QTest::newRow("unknown placeholder consumes its character")
        << QStringLiteral("a%qb") << QStringLiteral("a") + fix + QStringLiteral("b");
    QTest::newRow("display") << QStringLiteral("[%d]")
                             << QStringLiteral("[") + qEnvironmentVariable("DISPLAY") + QStringLiteral("]");
    QTest::newRow("node name before its first dot") << QStringLiteral("%n") << node;
    QTest::newRow("system, release, machine")
        << QStringLiteral("%s %r %m")
        << QStringLiteral("%1 %2 %3")
               .arg(QString::fromLocal8Bit(system.sysname), QString::fromLocal8Bit(system.release),
                   QString::fromLocal8Bit(system.machine));
}

void LoginWidgetTest::greeting()
{
    QFETCH(QString, greet);
    QFETCH(QString, expected);
    LoginWidgetFixture f;
    f.widget.setGreetString(greet);
    f.widget.setHostname(QStringLiteral("host7"));
    QCOMPARE(f.child<QLabel>("hostnameLabel")->text(), expected);
    QCOMPARE(f.widget.fillGreetString(QStringLiteral("host7")), expected);
}

void LoginWidgetTest::emptyHostLeavesTheGreeting()
{
    LoginWidgetFixture f;
    f.widget.setGreetString(QString());
    f.widget.setHostname(QStringLiteral("alpha"));
    f.widget.setHostname(QString());
    QCOMPARE(f.child<QLabel>("hostnameLabel")->text(), QStringLiteral("Welcome to alpha"));
}

void LoginWidgetTest::hostsList()
{
    LoginWidgetFixture f;
    auto* hosts = f.child<QComboBox>("hostsComboBox");
    f.widget.updateHostsList({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
    QVERIFY(f.widget.hostnameSelectionEnabled());
    hosts->setCurrentIndex(2);
    f.widget.updateHostsList({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
    QCOMPARE(f.widget.currentHostname(), QStringLiteral("c"));
    f.widget.updateHostsList({ QStringLiteral("c"), QStringLiteral("d") });
    QCOMPARE(f.widget.currentHostname(), QStringLiteral("c"));
    f.widget.updateHostsList({ QStringLiteral("x"), QStringLiteral("y") });
    QCOMPARE(f.widget.currentHostname(), QStringLiteral("x"));
    f.widget.updateHostsList({});
    QVERIFY(!f.widget.hostnameSelectionEnabled());
    QCOMPARE(hosts->count(), 2);
    f.widget.setCurrentHostname(QStringLiteral("y"));
    QCOMPARE(f.widget.currentHostname(), QStringLiteral("y"));
    f.widget.setCurrentHostname(QStringLiteral("Y"));
    QCOMPARE(f.widget.currentHostname(), QStringLiteral("y"));
}

void LoginWidgetTest::clickOutsideCollapsesTheShortList()
{
    for (int count : { 3, 4 }) {
        LoginWidgetFixture f;
        UsersData users = makeUsers({ "anna", "boris", "clara", "dmitri" });
        f.widget.setUsers(users.mid(0, count), false);
        f.widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.widget));
        f.widget.setCurrentUsersWidgetPage(LoginWidget::ShortUsersPage);
        QTest::mouseClick(f.child<QWidget>("hostnameLabel"), Qt::LeftButton);
        QCOMPARE(f.widget.currentUsersWidgetPage(),
            count > 3 ? LoginWidget::ChangeUserButtonPage : LoginWidget::ShortUsersPage);
    }
}

VESTIBULE_NSS_TEST_MAIN(LoginWidgetTest, TestUserDatabase::passwd(), TestUserDatabase::group())
#include "tst_loginwidget.moc"
