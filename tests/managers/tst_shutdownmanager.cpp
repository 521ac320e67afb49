// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ConsoleAuthManager.h"
#include "ShutdownManager.h"

#include <QSignalSpy>
#include <QTest>

// Power and console-login requests: the two managers through which the greeter is left
// for the host's own handling.
class ShutdownManagerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void actionNumbersAreTheHostInterface();
    void flagsAreKept_data();
    void flagsAreKept();
    void doShutdownPassesTheActionUnchanged_data();
    void doShutdownPassesTheActionUnchanged();
    void actionTravelsThroughQueuedConnections();
    void consoleLoginIsOneSignal();
    void areManagers();
};

void ShutdownManagerTest::actionNumbersAreTheHostInterface()
{
    QCOMPARE(static_cast<int>(ShutdownAction::Shutdown), 0);
    QCOMPARE(static_cast<int>(ShutdownAction::Reboot), 1);
    QCOMPARE(static_cast<int>(ShutdownAction::Suspend), 3);
    QCOMPARE(static_cast<int>(ShutdownAction::HybridSleep), 4);
    QCOMPARE(static_cast<int>(ShutdownAction::Hibernate), 5);
    QCOMPARE(sizeof(ShutdownAction), sizeof(qint32));
    QCOMPARE(QVariant::fromValue(ShutdownAction::Hibernate).toInt(), 5);
}

void ShutdownManagerTest::flagsAreKept_data()
{
    QTest::addColumn<bool>("flag");
    QTest::newRow("false") << false;
    QTest::newRow("true") << true;
}

void ShutdownManagerTest::flagsAreKept()
{
    QFETCH(bool, flag);
    QCOMPARE(ShutdownManager(flag).allowShutdownNone(), flag);
    QCOMPARE(ConsoleAuthManager(flag).hasConsole(), flag);
}

void ShutdownManagerTest::doShutdownPassesTheActionUnchanged_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("allowShutdownNone");
    QTest::newRow("power off") << 0 << false;
    QTest::newRow("reboot") << 1 << false;
    QTest::newRow("unassigned 2 is not checked") << 2 << false;
    QTest::newRow("suspend") << 3 << false;
    QTest::newRow("hybrid sleep") << 4 << false;
    QTest::newRow("hibernate") << 5 << false;
    QTest::newRow("passed on even when nothing is allowed") << 5 << true;
}

void ShutdownManagerTest::doShutdownPassesTheActionUnchanged()
{
    QFETCH(int, action);
    QFETCH(bool, allowShutdownNone);
    ShutdownManager manager(allowShutdownNone);
    QSignalSpy spy(&manager, &ShutdownManager::shutdownRequest);
    QVERIFY(spy.isValid());
    manager.doShutdown(static_cast<ShutdownAction>(action));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(static_cast<int>(spy.at(0).at(0).value<ShutdownAction>()), action);
}

void ShutdownManagerTest::actionTravelsThroughQueuedConnections()
{
    QCOMPARE(QMetaType::type("ShutdownAction"), qMetaTypeId<ShutdownAction>());
    ShutdownManager manager(false);
    QList<ShutdownAction> received;
    connect(
        &manager, &ShutdownManager::shutdownRequest, this, [&](ShutdownAction action) { received << action; },
        Qt::QueuedConnection);
    QVERIFY(QMetaObject::invokeMethod(&manager, "doShutdown", Q_ARG(ShutdownAction, ShutdownAction::Reboot)));
    QVERIFY(received.isEmpty());
    QTRY_COMPARE(received, QList<ShutdownAction> { ShutdownAction::Reboot });
}

void ShutdownManagerTest::consoleLoginIsOneSignal()
{
    ConsoleAuthManager manager(false);
    QSignalSpy spy(&manager, &ConsoleAuthManager::consoleLoginRequest);
    manager.performConsoleLogin();
    QCOMPARE(spy.count(), 1);
}

void ShutdownManagerTest::areManagers()
{
    ShutdownManager shutdown(false);
    ConsoleAuthManager console(true);
    QCOMPARE(shutdown.id(), QStringLiteral("shutdown"));
    QCOMPARE(console.id(), QStringLiteral("consoleAuth"));
    QCOMPARE(static_cast<Manager*>(shutdown.qt_metacast("Manager")), static_cast<Manager*>(&shutdown));
    QCOMPARE(static_cast<Manager*>(console.qt_metacast("Manager")), static_cast<Manager*>(&console));
    QVERIFY(shutdown.qt_metacast("ShutdownManager"));
    QVERIFY(console.qt_metacast("ConsoleAuthManager"));
}

QTEST_GUILESS_MAIN(ShutdownManagerTest)
#include "tst_shutdownmanager.moc"
