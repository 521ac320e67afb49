// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "GreeterManagers.h"
#include "LocalAuthManager.h"
#include "Manager.h"

#include <QObject>
#include <QSet>
#include <QTest>

namespace
{

/// A manager that counts its destructions, so ownership can be checked.
class CountingManager : public QObject, public Manager
{
public:
    CountingManager(const QString& id, int* destroyed)
        : Manager(id)
        , m_destroyed(destroyed)
    {
    }
    ~CountingManager() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

} // namespace

class GreeterManagersTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyRegistryFindsNothing();
    void findsEachManagerByExactId();
    void duplicateIdKeepsTheFirstInSetOrder();
    void destroysEveryManagerOnce();
    void themeStyleLookupAndCast();
};

void GreeterManagersTest::emptyRegistryFindsNothing()
{
    GreeterManagers managers({});
    QCOMPARE(managers.get(QStringLiteral("users")), nullptr);
    QCOMPARE(managers.get(QString()), nullptr);
}

void GreeterManagersTest::findsEachManagerByExactId()
{
    int destroyed = 0;
    auto* users = new CountingManager(QStringLiteral("users"), &destroyed);
    auto* sessions = new CountingManager(QStringLiteral("sessions"), &destroyed);
    GreeterManagers managers({ users, sessions });
    QCOMPARE(managers.get(QStringLiteral("users")), users);
    QCOMPARE(managers.get(QStringLiteral("sessions")), sessions);
    QCOMPARE(managers.get(QStringLiteral("Users")), nullptr);
    QCOMPARE(managers.get(QStringLiteral("users ")), nullptr);
}

void GreeterManagersTest::duplicateIdKeepsTheFirstInSetOrder()
{
    int destroyed = 0;
    auto* first = new CountingManager(QStringLiteral("users"), &destroyed);
    auto* second = new CountingManager(QStringLiteral("users"), &destroyed);
    const QSet<Manager*> set { first, second };
    Manager* expected = *set.begin();
    {
        GreeterManagers managers(set);
        QCOMPARE(destroyed, 1);
        QCOMPARE(managers.get(QStringLiteral("users")), expected);
    }
    QCOMPARE(destroyed, 2);
}

void GreeterManagersTest::destroysEveryManagerOnce()
{
    int destroyed = 0;
    {
        GreeterManagers managers({ new CountingManager(QStringLiteral("a"), &destroyed),
            new CountingManager(QStringLiteral("b"), &destroyed),
            new CountingManager(QStringLiteral("c"), &destroyed) });
        QCOMPARE(destroyed, 0);
    }
    QCOMPARE(destroyed, 3);
}

void GreeterManagersTest::themeStyleLookupAndCast()
{
    int destroyed = 0;
    auto* auth = new LocalAuthManager(5, QStringLiteral("guest"));
    GreeterManagers managers({ auth, new CountingManager(QStringLiteral("users"), &destroyed) });

    Manager* found = managers.get(QStringLiteral("localAuth"));
    QCOMPARE(dynamic_cast<LocalAuthManager*>(found), auth);
    QCOMPARE(dynamic_cast<LocalAuthManager*>(managers.get(QStringLiteral("users"))), nullptr);
    QCOMPARE(LocalAuthManager::ID, QStringLiteral("localAuth"));
    QVERIFY(auth->qt_metacast("Manager"));
}

QTEST_GUILESS_MAIN(GreeterManagersTest)
#include "tst_greetermanagers.moc"
