// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LoginWidgetFixture.h"
#include "UserCellWidget.h"

#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace
{

QStringList cellNames(const QTableWidget* table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (auto* cell = qobject_cast<UserCellWidget*>(table->cellWidget(row, column)))
                names << cell->userData().username;
        }
    }
    return names;
}

} // namespace

class LoginWidgetUserListsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shortListOrGrid_data();
    void shortListOrGrid();
    void emptyListsHideOrShowTheTokenMessage();
    void pages_data();
    void pages();
    void pagesDoNotWrap();
    void filterKeepsMatchingNamesCaseSensitively();
    void gridCellClickShowsTheUser();
    void shortListCellClickShowsTheUser();
    void updateUsersSelectsAndReturnsToTheLoginPage();
    void swipeTurnsPages();
    void completerOffersTheNames();
    void gridWithoutRowsHoldsEveryoneOnOnePage();
    void defaultThemeForms();
};

void LoginWidgetUserListsTest::shortListOrGrid_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("shortColumns");
    QTest::addColumn<int>("gridUsers");
    QTest::addColumn<int>("usersPage");
    QTest::addColumn<bool>("selectionVisible");
    QTest::newRow("1 user") << 1 << 1 << 0 << int(LoginWidget::ShortUsersPage) << false;
    QTest::newRow("3 users: short list at once") << 3 << 3 << 0 << int(LoginWidget::ShortUsersPage) << true;
    QTest::newRow("4 users: change-user button") << 4 << 4 << 0 << int(LoginWidget::ChangeUserButtonPage) << true;
    QTest::newRow("5 users fill the short list") << 5 << 5 << 0 << int(LoginWidget::ChangeUserButtonPage) << true;
    QTest::newRow("6 users go to the grid") << 6 << 0 << 4 << int(LoginWidget::ChangeUserButtonPage) << true;
}

void LoginWidgetUserListsTest::shortListOrGrid()
{
    QFETCH(int, count);
    QFETCH(int, shortColumns);
    QFETCH(int, gridUsers);
    QFETCH(int, usersPage);
    QFETCH(bool, selectionVisible);
    LoginWidgetFixture f;
    f.widget.setUsers(numberedUsers(count), false);
    QCOMPARE(f.child<QTableWidget>("shortUsersTableWidget")->columnCount(), shortColumns);
    QCOMPARE(cellNames(f.child<QTableWidget>("shortUsersTableWidget")).size(), shortColumns);
    QCOMPARE(cellNames(f.child<QTableWidget>("allUsersTableWidget")).size(), gridUsers);
    QCOMPARE(int(f.widget.currentUsersWidgetPage()), usersPage);
    QCOMPARE(f.child<QWidget>("userSelectionWidget")->isVisibleTo(&f.widget), selectionVisible);

    f.widget.setCurrentUsersWidgetPage(LoginWidget::ChangeUserButtonPage);
    f.child<QToolButton>("changeUserToolButton")->click();
    if (shortColumns == 0)
        QCOMPARE(f.widget.currentCommonWidgetPage(), LoginWidget::AllUsersPage);
    else
        QCOMPARE(f.widget.currentUsersWidgetPage(), LoginWidget::ShortUsersPage);
}

void LoginWidgetUserListsTest::emptyListsHideOrShowTheTokenMessage()
{
    LoginWidgetFixture f;
    f.widget.setUsers(UsersData(), false);
    QVERIFY(!f.child<QWidget>("userSelectionWidget")->isVisibleTo(&f.widget));
    QVERIFY(f.child<QLabel>("usernameLabel")->text().isEmpty());

    f.widget.setUsers(UsersData(), true);
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("Please, insert token"));
    QVERIFY(f.child<QWidget>("passwordLineEdit")->isHidden());

    // A token user arrives: the message goes, the user is chosen.
    f.widget.updateUsers(makeUsers({ "*anna" }));
    QVERIFY(!f.child<QWidget>("passwordLineEdit")->isHidden());
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("anna"));
    f.widget.updateUsers(UsersData());
    QVERIFY(f.child<QWidget>("passwordLineEdit")->isHidden());
}

void LoginWidgetUserListsTest::pages_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lastPageUsers");
    QTest::newRow("8 users on a 2x2 grid") << 8 << 2 << 4;
    QTest::newRow("9 users") << 9 << 3 << 1;
    QTest::newRow("no users: one empty page") << 0 << 1 << 0;
}

void LoginWidgetUserListsTest::pages()
{
    QFETCH(int, count);
    QFETCH(int, pages);
    QFETCH(int, lastPageUsers);
    LoginWidgetFixture f;
    const QList<UsersData> split = f.widget.splitUsersIntoPages(numberedUsers(count));
    QCOMPARE(split.size(), pages);
    QCOMPARE(split.last().size(), lastPageUsers);

    f.widget.setAllListUsers(numberedUsers(count));
    auto* dots = f.child<QTableWidget>("userPagesTableWidget");
    QCOMPARE(dots->columnCount(), pages);
    QCOMPARE(dots->maximumWidth(), pages * dots->horizontalHeader()->defaultSectionSize());
    for (int column = 0; column < pages; ++column) {
        auto* dot = qobject_cast<QLabel*>(dots->cellWidget(0, column));
        QVERIFY(dot);
        const int side = dots->verticalHeader()->defaultSectionSize() - 4;
        QCOMPARE(dot->pixmap(Qt::ReturnByValue).size(), QSize(side, side));
    }
    auto* grid = f.child<QTableWidget>("allUsersTableWidget");
    QCOMPARE(cellNames(grid).size(), std::min(count, 4));
    QCOMPARE(grid->rowCount(), count > 2 ? 2 : 1);
    f.widget.setUsersPage(pages - 1);
    QCOMPARE(cellNames(grid).size(), lastPageUsers);
    QCOMPARE(f.widget.currentUsersPageIndex(), pages - 1);
    f.widget.setUsersPage(pages + 3);
    QVERIFY(cellNames(grid).isEmpty());
    QCOMPARE(f.widget.currentUsersPageIndex(), pages - 1);
}

void LoginWidgetUserListsTest::pagesDoNotWrap()
{
    LoginWidgetFixture f;
    f.widget.setAllListUsers(numberedUsers(9));
    auto* grid = f.child<QTableWidget>("allUsersTableWidget");
    f.widget.setPreviosUsersPage();
    QCOMPARE(f.widget.currentUsersPageIndex(), 0);
    // The dots outlive a turn of the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(qobject_cast<QLabel*>(f.child<QTableWidget>("userPagesTableWidget")->cellWidget(0, 2)));
    f.widget.setNextUsersPage();
    f.widget.setNextUsersPage();
    QCOMPARE(cellNames(grid), QStringList { QStringLiteral("user08") });
    f.widget.setNextUsersPage();
    QCOMPARE(f.widget.currentUsersPageIndex(), 2);
    f.widget.userPagesWidgetPressed(0, 1);
    QCOMPARE(cellNames(grid).first(), QStringLiteral("user04"));
}

void LoginWidgetUserListsTest::filterKeepsMatchingNamesCaseSensitively()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "Andrew", "dan", "boris", "clara", "eva" }), false);
    f.widget.setAllListUsers(numberedUsers(12));
    f.widget.setUsersPage(2);
    QTest::keyClicks(f.child<QLineEdit>("usersFilterLineEdit"), QStringLiteral("an"));
    QCOMPARE(cellNames(f.child<QTableWidget>("allUsersTableWidget")),
        (QStringList { QStringLiteral("anna"), QStringLiteral("dan") }));
    QCOMPARE(f.widget.currentUsersPageIndex(), 0);
    // The short list and the full list are untouched.
    f.child<QLineEdit>("usersFilterLineEdit")->clear();
    f.widget.filterChanged(QString());
    QCOMPARE(cellNames(f.child<QTableWidget>("allUsersTableWidget")).size(), 4);
}

void LoginWidgetUserListsTest::gridCellClickShowsTheUser()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "boris", "clara", "dmitri", "eva", "felix" }), false);
    f.widget.setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
    QSignalSpy spy(&f.widget, &LoginWidget::currentUserChanged);
    f.widget.allUsersTableWidgetPressed(1, 1);
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("dmitri"));
    QCOMPARE(f.widget.currentCommonWidgetPage(), LoginWidget::LoginPage);
    // The login page stays as it was: the user-name page keeps showing.
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::EnterUsernamePage);

    f.widget.setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
    f.widget.setUsersPage(1);
    spy.clear();
    f.widget.allUsersTableWidgetPressed(1, 1);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(f.widget.currentCommonWidgetPage(), LoginWidget::AllUsersPage);
}

void LoginWidgetUserListsTest::shortListCellClickShowsTheUser()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "boris", "clara", "dmitri" }), false);
    f.widget.setCurrentUsersWidgetPage(LoginWidget::ShortUsersPage);
    f.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.widget));
    auto* table = f.child<QTableWidget>("shortUsersTableWidget");
    const QRect cell = table->visualRect(table->model()->index(0, 2));
    QTest::mousePress(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("clara"));
    QCOMPARE(f.widget.currentUsersWidgetPage(), LoginWidget::ChangeUserButtonPage);
}

void LoginWidgetUserListsTest::updateUsersSelectsAndReturnsToTheLoginPage()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "boris" }), false);
    f.widget.setCurrentUsersWidgetPage(LoginWidget::ShortUsersPage);
    f.widget.setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
    f.child<QLineEdit>("usersFilterLineEdit")->setText(QStringLiteral("zz"));
    f.widget.updateUsers(makeUsers({ "anna", "boris", "*clara", "dmitri" }));
    QVERIFY(f.child<QLineEdit>("usersFilterLineEdit")->text().isEmpty());
    QCOMPARE(f.widget.currentUsersWidgetPage(), LoginWidget::ChangeUserButtonPage);
    QCOMPARE(f.widget.currentCommonWidgetPage(), LoginWidget::LoginPage);
    QCOMPARE(f.child<QLabel>("usernameLabel")->text(), QStringLiteral("clara"));
    QVERIFY(f.child<QWidget>("userSelectionWidget")->isVisibleTo(&f.widget));
}

void LoginWidgetUserListsTest::swipeTurnsPages()
{
    LoginWidgetFixture f;
    f.widget.setAllListUsers(numberedUsers(9));
    f.widget.setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
    f.widget.resize(600, 400);
    f.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.widget));
    auto* grid = f.child<QTableWidget>("allUsersTableWidget");

    auto swipe = [grid](int dx, int dy) {
        const QPoint start(grid->width() / 2 + 20, grid->height() / 2);
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, start + QPoint(dx, dy));
        QCoreApplication::processEvents();
    };
    swipe(-60, 10);
    QTRY_COMPARE(f.widget.currentUsersPageIndex(), 1);
    swipe(-40, 0);
    QCOMPARE(f.widget.currentUsersPageIndex(), 1);
    swipe(60, 0);
    QTRY_COMPARE(f.widget.currentUsersPageIndex(), 0);
    swipe(60, 0);
    QCOMPARE(f.widget.currentUsersPageIndex(), 0);
}

void LoginWidgetUserListsTest::completerOffersTheNames()
{
    LoginWidgetFixture f;
    f.widget.setUsers(makeUsers({ "anna", "boris" }), false);
    f.widget.enableUsernameCompleter(true);
    QCompleter* completer = f.child<QLineEdit>("usernameLineEdit")->completer();
    QVERIFY(completer);
    QCOMPARE(completer->completionMode(), QCompleter::InlineCompletion);
    auto* model = qobject_cast<QStringListModel*>(completer->model());
    QVERIFY(model);
    QCOMPARE(model->stringList(), (QStringList { QStringLiteral("anna"), QStringLiteral("boris") }));
    // Later lists do not refresh the names on their own.
    f.widget.setUsers(makeUsers({ "clara" }), false);
    QCOMPARE(qobject_cast<QStringListModel*>(completer->model())->stringList().size(), 2);
    f.widget.enableUsernameCompleter(false);
    QVERIFY(!f.child<QLineEdit>("usernameLineEdit")->completer());
}

void LoginWidgetUserListsTest::gridWithoutRowsHoldsEveryoneOnOnePage()
{
    LoginWidgetFixture f(false,
        [](QWidget* form) { form->findChild<QTableWidget*>(QStringLiteral("allUsersTableWidget"))->setRowCount(0); });
    const QList<UsersData> pages = f.widget.splitUsersIntoPages(numberedUsers(7));
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first().size(), 7);
    f.widget.setUsers(numberedUsers(7), false);
}

void LoginWidgetUserListsTest::defaultThemeForms()
{
    // The default theme: a short list of 5 and a 3 × 4 grid.
    LoginWidgetFixture f(false, {}, QStringLiteral(MODERN_THEME_DIR));
    f.widget.setUsers(numberedUsers(5), false);
    QCOMPARE(cellNames(f.child<QTableWidget>("shortUsersTableWidget")).size(), 5);
    f.widget.setUsers(numberedUsers(13), false);
    QCOMPARE(cellNames(f.child<QTableWidget>("allUsersTableWidget")).size(), 12);
    QCOMPARE(f.child<QTableWidget>("userPagesTableWidget")->columnCount(), 2);
    f.widget.setNextUsersPage();
    QCOMPARE(cellNames(f.child<QTableWidget>("allUsersTableWidget")), QStringList { QStringLiteral("user12") });
    f.widget.setCurrentUser(QStringLiteral("user03"));
    QCOMPARE(f.widget.currentAuthPage(), LoginWidget::UserInfoPage);
}

QTEST_MAIN(LoginWidgetUserListsTest)
#include "tst_loginwidgetuserlists.moc"
