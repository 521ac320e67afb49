// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "MetaSignatures.h"
#include "NssDatabase.h"
#include "ScopedSystemRoot.h"
#include "SystemPaths.h"
#include "TestFiles.h"
#include "TestUserDatabase.h"
#include "UserData.h"
#include "UserInfo.h"
#include "UsersManager.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace
{

QList<PasswdLine> accounts(std::initializer_list<const char*> names)
{
    QList<PasswdLine> lines;
    for (const char* name : names) {
        PasswdLine line;
        line.name = QString::fromUtf8(name);
        lines << line;
    }
    return lines;
}

QStringList namesOf(const UsersData& users)
{
    QStringList names;
    for (const UserData& user : users)
        names << user.username;
    return names;
}

QIcon colouredIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(4, 4);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

struct Options {
    bool tokenUsersOnly = false;
    bool userListEnabled = true;
    bool showUserList = true;
};

std::unique_ptr<UsersManager> makeManager(
    const QList<PasswdLine>& lines, const Options& options, const QMap<QString, QIcon>& faces = {})
{
    return std::make_unique<UsersManager>(lines, faces, options.tokenUsersOnly, options.userListEnabled,
        QStringLiteral("boris"), UsersManager::PreselDefault, true, UsersManager::EnterUsernameScreen,
        options.showUserList);
}

} // namespace

class UsersManagerTest : public QObject
{
    Q_OBJECT
public:
    explicit UsersManagerTest(const NssDatabase&) { }

private Q_SLOTS:
    void initTestCase();
    void init();

    void userDataBoolAndClear();
    void constructionBuildsUsersWithFacesAndHost();
    void settingsAreStoredUnchanged();
    void userListDisabledStillKnowsTokens();
    void tokenUsersOnlyFollowsTheTokenFile();
    void showUserListReemitsAllUsers();
    void withoutListSelectsTheSingleTokenUser();
    void tokenNamesAreCaseSensitive();
    void domainLookupsUseTheSystemDatabase();
    void userInSystem();
    void signalsInDeclarationOrder();
    void hostnameIsNeverEmpty();

private:
    void writeToken(const QByteArray& content) { QVERIFY(TestFiles::write(SystemPaths::tokenFile(), content)); }

    std::unique_ptr<ScopedSystemRoot> m_root;
};

void UsersManagerTest::initTestCase()
{
    QVERIFY2(UserInfo::getUser(QStringLiteral("kirill")).isValid(), "the test user database is not active");
    m_root = std::make_unique<ScopedSystemRoot>();
    m_root->makeDir(QStringLiteral("/etc/X11/nimb-dm"));
}

void UsersManagerTest::init()
{
    QFile::remove(SystemPaths::tokenFile());
    QTest::qWait(0);
}

void UsersManagerTest::userDataBoolAndClear()
{
    UserData user;
    QVERIFY(!user);
    user.username = QStringLiteral("anna");
    user.fullName = QStringLiteral("Anna Petrova");
    user.hostname = QStringLiteral("host");
    user.icon = colouredIcon(Qt::red);
    user.logged = true;
    user.hasToken = true;
    QVERIFY(bool(user));
    user.clear();
    QVERIFY(!user);
    QVERIFY(user.username.isNull());
    QVERIFY(user.fullName.isNull());
    QVERIFY(user.hostname.isNull());
    QVERIFY(!user.logged);
    QVERIFY(!user.hasToken);
    QVERIFY(!user.icon.isNull());

    QCOMPARE(QMetaType::type("UsersData"), qMetaTypeId<UsersData>());
    QCOMPARE(QMetaType::type("UserData"), qMetaTypeId<UserData>());
}

void UsersManagerTest::constructionBuildsUsersWithFacesAndHost()
{
    writeToken("boris\n");
    QMap<QString, QIcon> faces { { QString(), colouredIcon(Qt::gray) },
        { QStringLiteral("anna"), colouredIcon(Qt::red) }, { QStringLiteral("stranger"), colouredIcon(Qt::blue) } };
    QList<PasswdLine> lines = accounts({ "anna", "boris", "clara" });
    lines[0].gecos = QStringLiteral(" Anna Petrova ,Room 4,,");
    lines[2].gecos = QStringLiteral(",Room 5");
    auto manager = makeManager(lines, Options(), faces);

    const UsersData users = manager->users();
    QCOMPARE(
        namesOf(users), (QStringList { QStringLiteral("anna"), QStringLiteral("boris"), QStringLiteral("clara") }));
    // The full name is the first field of the comment as chfn writes it; none gives none.
    QCOMPARE((QStringList { users.at(0).fullName, users.at(1).fullName, users.at(2).fullName }),
        (QStringList { QStringLiteral("Anna Petrova"), QString(), QString() }));
    QCOMPARE(users.at(0).icon.cacheKey(), faces.value(QStringLiteral("anna")).cacheKey());
    QCOMPARE(users.at(1).icon.cacheKey(), faces.value(QString()).cacheKey());
    for (const UserData& user : users) {
        QCOMPARE(user.hostname, UsersManager::getHostname());
        QVERIFY(!user.logged);
    }
    QVERIFY(!users.at(0).hasToken);
    QVERIFY(users.at(1).hasToken);
    QCOMPARE(namesOf(manager->tokenUsers()), QStringList { QStringLiteral("boris") });

    // Without a default face, users without their own face get a null icon.
    auto bare = makeManager(accounts({ "clara" }), Options(), { { QStringLiteral("anna"), colouredIcon(Qt::red) } });
    QVERIFY(bare->users().at(0).icon.isNull());
}

void UsersManagerTest::settingsAreStoredUnchanged()
{
    UsersManager manager(accounts({ "anna" }), {}, false, true, QStringLiteral("eva"), UsersManager::PreselPrevious,
        false, UsersManager::AutoScreen, true);
    QCOMPARE(manager.id(), QStringLiteral("users"));
    QCOMPARE(manager.defaultUser(), QStringLiteral("eva"));
    QCOMPARE(manager.preselUser(), UsersManager::PreselPrevious);
    QVERIFY(!manager.userCompletion());
    QCOMPARE(manager.firstScreen(), UsersManager::AutoScreen);
    QVERIFY(manager.qt_metacast("Manager"));
    QCOMPARE(int(UsersManager::PreselDefault), 2);
    QCOMPARE(int(UsersManager::EnterUsernameScreen), 2);
}

void UsersManagerTest::userListDisabledStillKnowsTokens()
{
    writeToken("clara\n");
    Options options;
    options.userListEnabled = false;
    options.tokenUsersOnly = true;
    auto manager = makeManager(accounts({ "anna", "clara" }), options);
    QVERIFY(manager->users().isEmpty());
    QCOMPARE(namesOf(manager->tokenUsers()), QStringList { QStringLiteral("clara") });
    QCOMPARE(manager->tokenUser(QStringLiteral("clara")).username, QStringLiteral("clara"));
    QVERIFY(manager->tokenUser(QStringLiteral("clara")).hasToken);
    QVERIFY(!manager->tokenUser(QStringLiteral("anna")));
}

void UsersManagerTest::tokenUsersOnlyFollowsTheTokenFile()
{
    writeToken(QByteArray());
    Options options;
    options.tokenUsersOnly = true;
    auto manager = makeManager(accounts({ "anna", "boris", "clara" }), options);
    QVERIFY(manager->users().isEmpty());

    QSignalSpy spy(manager.get(), &UsersManager::usersChanged);
    writeToken("boris\n");
    QTRY_VERIFY(
        !spy.isEmpty() && namesOf(spy.last().at(0).value<UsersData>()) == QStringList { QStringLiteral("boris") });
    QVERIFY(spy.last().at(0).value<UsersData>().at(0).hasToken);
    QCOMPARE(namesOf(manager->users()), QStringList { QStringLiteral("boris") });

    // A list handed out earlier keeps its flags: it is a copy.
    const UsersData before = manager->users();
    spy.clear();
    QVERIFY(QFile::remove(SystemPaths::tokenFile()));
    QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).value<UsersData>().isEmpty());
    QVERIFY(manager->users().isEmpty());
    QVERIFY(before.at(0).hasToken);
}

void UsersManagerTest::showUserListReemitsAllUsers()
{
    auto manager = makeManager(accounts({ "anna", "boris", "clara" }), Options());
    QSignalSpy spy(manager.get(), &UsersManager::usersChanged);
    QSignalSpy single(manager.get(), &UsersManager::selectedSingleTokenUser);
    writeToken("anna\n\nclara\n");
    QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).value<UsersData>().at(2).hasToken);
    const UsersData users = spy.last().at(0).value<UsersData>();
    QCOMPARE(
        namesOf(users), (QStringList { QStringLiteral("anna"), QStringLiteral("boris"), QStringLiteral("clara") }));
    QVERIFY(users.at(0).hasToken);
    QVERIFY(!users.at(1).hasToken);
    QCOMPARE(single.count(), 0);
}

void UsersManagerTest::withoutListSelectsTheSingleTokenUser()
{
    Options options;
    options.showUserList = false;
    auto manager = makeManager(accounts({ "anna", "boris", "clara" }), options);
    QSignalSpy spy(manager.get(), &UsersManager::selectedSingleTokenUser);
    QSignalSpy listSpy(manager.get(), &UsersManager::usersChanged);

    writeToken("boris\n");
    QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).value<UserData>().username == QLatin1String("boris"));
    QVERIFY(spy.last().at(0).value<UserData>().hasToken);
    QCOMPARE(manager->singleTokenUser().username, QStringLiteral("boris"));

    writeToken("boris\nclara\n");
    QTRY_VERIFY(!manager->singleTokenUser());
    QTRY_VERIFY(!spy.last().at(0).value<UserData>());
    QCOMPARE(listSpy.count(), 0);
}

void UsersManagerTest::tokenNamesAreCaseSensitive()
{
    writeToken("ANNA\n");
    auto manager = makeManager(accounts({ "anna" }), Options());
    QVERIFY(manager->tokenUsers().isEmpty());
    QVERIFY(!manager->tokenUser(QStringLiteral("anna")));
    QVERIFY(!manager->tokenUser(QStringLiteral("ANNA")));
}

void UsersManagerTest::domainLookupsUseTheSystemDatabase()
{
    // kirill is an account of the system but not in the manager's list, like a domain account.
    writeToken("nosuchuser\nkirill\n");
    auto manager = makeManager(accounts({ "anna" }), Options());
    QVERIFY(!manager->singleTokenUser());
    QVERIFY(!manager->tokenUser(QStringLiteral("kirill")));

    manager->setInDomain(true);
    const UserData single = manager->singleTokenUser();
    QCOMPARE(single.username, QStringLiteral("kirill"));
    QVERIFY(single.hasToken);
    QVERIFY(single.icon.isNull());
    QCOMPARE(manager->tokenUser(QStringLiteral("kirill")).username, QStringLiteral("kirill"));
    QVERIFY(!manager->tokenUser(QStringLiteral("nosuchuser")));
    QVERIFY(!manager->tokenUser(QStringLiteral("anna")));

    QVERIFY(!manager->singleTokenUserSystemFromList({ QStringLiteral("kirill"), QStringLiteral("ivan") }));
    QVERIFY(!manager->singleTokenUserSystemFromList({}));
}

void UsersManagerTest::userInSystem()
{
    auto manager = makeManager(accounts({}), Options());
    const UserData julia = manager->userInSystem(QStringLiteral("julia"));
    QCOMPARE(julia.username, QStringLiteral("julia"));
    QCOMPARE(julia.fullName, QStringLiteral("Julia"));
    QCOMPARE(julia.hostname, UsersManager::getHostname());
    QVERIFY(!julia.hasToken);
    QVERIFY(!manager->userInSystem(QStringLiteral("nosuchuser")));
}

void UsersManagerTest::signalsInDeclarationOrder()
{
    const QStringList expected { QStringLiteral("usersChanged(UsersData)"),
        QStringLiteral("askPamForLastUserSession(QString)"), QStringLiteral("updateLastUserSession(QString)"),
        QStringLiteral("selectedSingleTokenUser(UserData)") };
    QCOMPARE(MetaSignatures::ownSignals(UsersManager::staticMetaObject), expected);
}

void UsersManagerTest::hostnameIsNeverEmpty()
{
    QVERIFY(!UsersManager::getHostname().isEmpty());
}

VESTIBULE_NSS_TEST_MAIN(UsersManagerTest, TestUserDatabase::passwd(), TestUserDatabase::group())
#include "tst_usersmanager.moc"
