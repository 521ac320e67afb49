// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LoginWidgetFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

class LoginWidgetGenericTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsOnTheUserInfoPageWithFocus();
    void promptsAndAnswers();
    void emptyAnswerIsSentToo();
    void echoFollowsThePrompt();
    void placeholderCanBeRemoved();
    void userListsBuildNoCells();
};

void LoginWidgetGenericTest::startsOnTheUserInfoPageWithFocus()
{
    LoginWidgetFixture f(true);
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::UserInfoPage);
    f.widget.show();
    f.widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.widget.setCurrentAuthPage(LoginWidget::UserInfoPage, false);
    QTRY_COMPARE(QApplication::focusWidget(), f.child<QWidget>("passwordLineEdit"));
}

void LoginWidgetGenericTest::promptsAndAnswers()
{
    LoginWidgetFixture f(true);
    QSignalSpy answers(&f.widget, &LoginWidget::submitAnswerToPam);
    QSignalSpy logins(&f.widget, &LoginWidget::loginRequest);
    f.widget.setGenericPamHeader(QStringLiteral("login:"), true);
    f.widget.setGenericPamMessage(QStringLiteral("Welcome"));
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("login:"));
    QCOMPARE(f.child<QLabel>("userHostnameLabel")->text(), QStringLiteral("Welcome"));

    auto* answer = f.child<QLineEdit>("passwordLineEdit");
    QTest::keyClicks(answer, QStringLiteral("anna"));
    QTest::keyClick(answer, Qt::Key_Return);
    QCOMPARE(answers.count(), 1);
    QCOMPARE(answers.last().at(0).toString(), QStringLiteral("anna"));
    QVERIFY(answer->text().isEmpty());
    QVERIFY(f.child<QLabel>("usernameLabel")->text().isEmpty());
    QVERIFY(f.child<QLabel>("userHostnameLabel")->text().isEmpty());

    f.widget.setGenericPamHeader(QStringLiteral("Password:"), false);
    answer->setText(QStringLiteral("pw"));
    f.child<QToolButton>("loginToolButton")->click();
    QCOMPARE(answers.count(), 2);
    QCOMPARE(answers.last().at(0).toString(), QStringLiteral("pw"));
    QCOMPARE(logins.count(), 0);
}

void LoginWidgetGenericTest::emptyAnswerIsSentToo()
{
    LoginWidgetFixture f(true);
    QSignalSpy answers(&f.widget, &LoginWidget::submitAnswerToPam);
    f.widget.setGenericPamHeader(QStringLiteral("Press Return"), true);
    f.widget.setGenericPamMessage(QStringLiteral("info"));
    QTest::keyClick(f.child<QLineEdit>("passwordLineEdit"), Qt::Key_Return);
    QCOMPARE(answers.count(), 1);
    QVERIFY(answers.last().at(0).toString().isEmpty());
    QVERIFY(f.child<QLabel>("userHostnameLabel")->text().isEmpty());
}

void LoginWidgetGenericTest::echoFollowsThePrompt()
{
    LoginWidgetFixture f(true);
    auto* answer = f.child<QLineEdit>("passwordLineEdit");
    f.widget.setGenericPamHeader(QStringLiteral("Password:"), false);
    QCOMPARE(answer->echoMode(), QLineEdit::Password);
    f.widget.genericToolButtonClicked();
    QCOMPARE(answer->echoMode(), QLineEdit::Password);
    f.widget.setGenericPamHeader(QStringLiteral("OTP:"), true);
    QCOMPARE(answer->echoMode(), QLineEdit::Normal);
}

void LoginWidgetGenericTest::placeholderCanBeRemoved()
{
    LoginWidgetFixture f(true);
    auto* answer = f.child<QLineEdit>("passwordLineEdit");
    QCOMPARE(answer->placeholderText(), QStringLiteral("Password"));
    f.widget.removePasswordPlaceholder();
    QVERIFY(answer->placeholderText().isEmpty());
    f.widget.setCurrentUserData(UserData());
    QCOMPARE(answer->placeholderText(), QStringLiteral("Password"));
}

void LoginWidgetGenericTest::userListsBuildNoCells()
{
    LoginWidgetFixture f(true);
    f.widget.setUsers(numberedUsers(3), false);
    f.widget.updateUsers(numberedUsers(9));
    f.widget.setUsersPage(1);
    auto* grid = f.child<QTableWidget>("allUsersTableWidget");
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column)
            QVERIFY(!grid->cellWidget(row, column));
}

QTEST_MAIN(LoginWidgetGenericTest)
#include "tst_loginwidgetgeneric.moc"
