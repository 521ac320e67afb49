// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "NssDatabase.h"
#include "StderrCapture.h"
#include "TestUserDatabase.h"
#include "UserGroups.h"
#include "UserInfo.h"

#include <QApplication>
#include <QTest>

#include <limits>

namespace
{

QStringList names(const QList<PasswdLine>& lines)
{
    QStringList result;
    for (const PasswdLine& line : lines)
        result << line.name;
    return result;
}

QStringList split(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

class UserInfoTest : public QObject
{
    Q_OBJECT
public:
    explicit UserInfoTest(const NssDatabase& database)
        : m_database(database)
    {
    }

private Q_SLOTS:
    void initTestCase();

    void getUserConvertsEveryField();
    void getUserOfMissingAccountIsEmpty();
    void getUserListKeepsDatabaseOrderAndDuplicates();

    void filter_data();
    void filter();
    void filterWithUnknownGroupAddsNothing();

    void groupMembership_data();
    void groupMembership();
    void groupMembershipOfMissingUserIsReported();

private:
    const NssDatabase& m_database;
};

void UserInfoTest::initTestCase()
{
    QVERIFY2(UserInfo::getUser(QStringLiteral("kirill")).isValid(),
        "the test user database is not active: is nss_wrapper preloaded?");
}

void UserInfoTest::getUserConvertsEveryField()
{
    const PasswdLine anna = UserInfo::getUser(QStringLiteral("anna"));
    QCOMPARE(anna.name, QStringLiteral("anna"));
    QCOMPARE(anna.passwd, QStringLiteral("x"));
    QCOMPARE(anna.uid, 1000u);
    QCOMPARE(anna.gid, 1000u);
    QCOMPARE(anna.gecos, QStringLiteral("Anna Petrova"));
    QCOMPARE(anna.dir, m_database.filePath(QStringLiteral("home/anna")));
    QCOMPARE(anna.shell, QStringLiteral("/bin/sh"));

    QCOMPARE(UserInfo::getUser(QStringLiteral("edge")).uid, 4294967294u);
    QCOMPARE(UserInfo::getUser(QStringLiteral("mary.jane.doe")).gecos, QStringLiteral("Mary Jane Doe"));
}

void UserInfoTest::getUserOfMissingAccountIsEmpty()
{
    QVERIFY(!UserInfo::getUser(QStringLiteral("nosuchuser")).isValid());
    QVERIFY(!UserInfo::getUser(QString()).isValid());
    QVERIFY(!UserInfo::getUser(QStringLiteral("ANNA")).isValid());
}

void UserInfoTest::getUserListKeepsDatabaseOrderAndDuplicates()
{
    const QStringList all = names(UserInfo::getUserList());
    QCOMPARE(all.size(), 22);
    QCOMPARE(all.first(), QStringLiteral("root"));
    QCOMPARE(all.last(), QStringLiteral("nobody"));
    QCOMPARE(all.count(QStringLiteral("anna")), 2);
}

void UserInfoTest::filter_data()
{
    QTest::addColumn<bool>("showAll");
    QTest::addColumn<uint>("minUid");
    QTest::addColumn<uint>("maxUid");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<bool>("showRoot");
    QTest::addColumn<bool>("sort");
    QTest::addColumn<QStringList>("expected");

    const uint maxAll = std::numeric_limits<uint32_t>::max();

    // clang-format off
    QTest::newRow("show all in range, first of a duplicate name wins")
        << true << 1000u << 60000u << QStringList() << QStringList() << false << false
        << split("anna boris clara dmitri eva john.smith mary.jane.doe felix grace henrik ivan julia kirill");
    QTest::newRow("show all, root passes below the range only with showRoot")
        << true << 1000u << 1001u << QStringList() << QStringList() << true << false
        << split("root anna boris");
    QTest::newRow("show all from uid 0: root passes without showRoot")
        << true << 0u << 2u << QStringList() << QStringList() << false << false
        << split("root daemon bin");
    QTest::newRow("unsigned comparison up to the largest uid")
        << true << 65534u << maxAll << QStringList() << QStringList() << false << false
        << split("big edge nobody");
    QTest::newRow("show all, hidden names and a hidden group by members and primary gid")
        << true << 1000u << 60000u << QStringList() << split("boris @staff") << false << false
        << split("anna john.smith mary.jane.doe grace henrik ivan julia kirill");
    QTest::newRow("show all ignores the selected list")
        << true << 1010u << 1012u << split("anna") << QStringList() << false << false
        << split("henrik ivan julia");
    QTest::newRow("plain names: list order, below range, duplicates repeated, no root")
        << false << 1000u << 60000u << split("svc kirill anna root kirill nosuch") << QStringList() << false << false
        << split("svc kirill anna kirill");
    QTest::newRow("plain names with showRoot")
        << false << 1000u << 60000u << split("root big") << QStringList() << true << false
        << split("root big");
    QTest::newRow("a group walks the database in its order, within the range")
        << false << 1000u << 60000u << split("@staff ivan") << QStringList() << false << false
        << split("clara dmitri eva felix ivan");
    QTest::newRow("a group: members outside the range are left out")
        << false << 1001u << 1003u << split("@staff") << QStringList() << false << false
        << split("clara dmitri");
    QTest::newRow("a group: hidden entries are not used without showAll")
        << false << 1000u << 60000u << split("@wheel") << split("anna") << true << false
        << split("root anna");
    QTest::newRow("sorted by login name, case-sensitive code units")
        << false << 1000u << 60000u << split("kirill anna john.smith boris") << QStringList() << false << true
        << split("anna boris john.smith kirill");
    // clang-format on
}

void UserInfoTest::filter()
{
    QFETCH(bool, showAll);
    QFETCH(uint, minUid);
    QFETCH(uint, maxUid);
    QFETCH(QStringList, selected);
    QFETCH(QStringList, hidden);
    QFETCH(bool, showRoot);
    QFETCH(bool, sort);
    QFETCH(QStringList, expected);

    UserInfo::Filter filter;
    filter.showAll = showAll;
    filter.minUid = minUid;
    filter.maxUid = maxUid;
    filter.selectedUsers = selected;
    filter.hiddenUsers = hidden;
    filter.showRoot = showRoot;
    filter.sortUsers = sort;
    QCOMPARE(names(UserInfo::getUserList(filter)), expected);
}

void UserInfoTest::filterWithUnknownGroupAddsNothing()
{
    UserInfo::Filter filter;
    filter.minUid = 1000;
    filter.maxUid = 60000;
    filter.selectedUsers = split("@nosuchgroup");
    QVERIFY(UserInfo::getUserList(filter).isEmpty());

    filter.showAll = true;
    filter.hiddenUsers = split("@nosuchgroup");
    QCOMPARE(UserInfo::getUserList(filter).size(), 13);
}

void UserInfoTest::groupMembership_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<bool>("expected");
    QTest::newRow("member by list") << QByteArray("staff") << QByteArray("dmitri") << true;
    QTest::newRow("member by primary gid") << QByteArray("staff") << QByteArray("clara") << true;
    QTest::newRow("not a member") << QByteArray("staff") << QByteArray("boris") << false;
    QTest::newRow("own personal group") << QByteArray("boris") << QByteArray("boris") << true;
    QTest::newRow("group name compared exactly") << QByteArray("Staff") << QByteArray("dmitri") << false;
    QTest::newRow("missing group") << QByteArray("nosuchgroup") << QByteArray("dmitri") << false;
    // More than 256 groups: the membership still counts.
    QTest::newRow("in 300 groups, the last") << QByteArray("many299") << QByteArray("grace") << true;
    QTest::newRow("in 300 groups, the first") << QByteArray("many0") << QByteArray("grace") << true;
    QTest::newRow("in 300 groups, another group") << QByteArray("staff") << QByteArray("grace") << false;
}

void UserInfoTest::groupMembership()
{
    QFETCH(QByteArray, group);
    QFETCH(QByteArray, user);
    QFETCH(bool, expected);
    StderrCapture errors;
    QCOMPARE(Utils::isUserNameInGroup(group.constData(), user.constData()), expected);
    QCOMPARE(errors.text(), QByteArray());
}

void UserInfoTest::groupMembershipOfMissingUserIsReported()
{
    StderrCapture errors;
    QVERIFY(!Utils::isUserNameInGroup("staff", "ghost"));
    QCOMPARE(errors.text(), QByteArray("libnimbcore: getpwnam(ghost) failed\n"));
}

VESTIBULE_NSS_TEST_MAIN(UserInfoTest, TestUserDatabase::passwd(), TestUserDatabase::group())
#include "tst_userinfo.moc"
