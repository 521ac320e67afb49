// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "nimbdbus.h"

#include "PrivateSystemBus.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <initializer_list>
#include <memory>

namespace
{

/// Answers for the fake logind; nullptr leaves the method out.
QStringList fakeReplies(std::initializer_list<const char*> words)
{
    QStringList result;
    for (const char* word : words)
        result << (word ? QString::fromLatin1(word) : QString());
    return result;
}

} // namespace

class NimbDBusTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void answers_data();
    void answers();
    void silentLogindGivesUpAfterTheTimeout();
    void noBusAtAll();
    void busWithoutLogind();

private:
    std::unique_ptr<PrivateSystemBus> startBus(const QStringList& replies = QStringList());
};

void NimbDBusTest::initTestCase()
{
    // Points the process at the private bus before any call.
    PrivateSystemBus bus;
}

std::unique_ptr<PrivateSystemBus> NimbDBusTest::startBus(const QStringList& replies)
{
    auto bus = std::make_unique<PrivateSystemBus>();
    if (!bus->start())
        return nullptr;
    if (!replies.isEmpty() && !bus->startLogind(QStringLiteral(FAKE_LOGIN1), replies))
        return nullptr;
    return bus;
}

void NimbDBusTest::answers_data()
{
    // What logind answers to CanSuspend, CanHybridSleep and CanHibernate; a null reply
    // leaves the method out, so the call fails as on a logind that does not know it.
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QList<int>>("expected");
    // clang-format off
    QTest::newRow("yes, no, na") << fakeReplies({ "yes", "no", "na" }) << QList<int> { 1, 0, 0 };
    QTest::newRow("challenge, yes, no") << fakeReplies({ "challenge", "yes", "no" }) << QList<int> { 0, 1, 0 };
    QTest::newRow("na, challenge, yes") << fakeReplies({ "na", "challenge", "yes" }) << QList<int> { 0, 0, 1 };
    QTest::newRow("error replies") << fakeReplies({ "error", "yes", "error" }) << QList<int> { -1, 1, -1 };
    QTest::newRow("a number, not a string") << fakeReplies({ "int", "int", "yes" }) << QList<int> { -1, -1, 1 };
    QTest::newRow("replies without an answer") << fakeReplies({ "yes", "empty", "empty" }) << QList<int> { 1, -1, -1 };
    QTest::newRow("unknown and empty words") << fakeReplies({ "maybe", "", "yes" }) << QList<int> { -1, -1, 1 };
    QTest::newRow("methods logind does not have") << fakeReplies({ "no", nullptr, nullptr }) << QList<int> { 0, -1, -1 };
    // clang-format on
}

void NimbDBusTest::answers()
{
    QFETCH(QStringList, replies);
    QFETCH(QList<int>, expected);
    const auto bus = startBus(replies);
    QVERIFY(bus);
    const QList<int> actual { dbus_Logind_CanSuspend(), dbus_Logind_CanHybridSleep(), dbus_Logind_CanHibernate() };
    QCOMPARE(actual, expected);
}

void NimbDBusTest::silentLogindGivesUpAfterTheTimeout()
{
    const auto bus = startBus(fakeReplies({ "silent", "silent", "silent" }));
    QVERIFY(bus);
    for (int (*capability)() : { dbus_Logind_CanSuspend, dbus_Logind_CanHybridSleep, dbus_Logind_CanHibernate }) {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(capability(), -1);
        // About a second; the bound only tells a timeout from a hang.
        QVERIFY2(timer.elapsed() < 5000, QByteArray::number(timer.elapsed()).constData());
    }
}

void NimbDBusTest::noBusAtAll()
{
    QFile::remove(PrivateSystemBus::socket());
    QVERIFY(!QFile::exists(PrivateSystemBus::socket()));
    QCOMPARE(dbus_Logind_CanSuspend(), -1);
    QCOMPARE(dbus_Logind_CanHybridSleep(), -1);
    QCOMPARE(dbus_Logind_CanHibernate(), -1);
}

void NimbDBusTest::busWithoutLogind()
{
    const auto bus = startBus();
    QVERIFY(bus);
    QCOMPARE(dbus_Logind_CanSuspend(), -1);
    QCOMPARE(dbus_Logind_CanHybridSleep(), -1);
    QCOMPARE(dbus_Logind_CanHibernate(), -1);
}

QTEST_GUILESS_MAIN(NimbDBusTest)
#include "tst_nimbdbus.moc"
