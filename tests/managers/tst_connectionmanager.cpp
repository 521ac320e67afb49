// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ConnectionManager.h"
#include "MetaSignatures.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using Data = ConnectionManager::ConnectionData;

class ConnectionManagerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exitAction_data();
    void exitAction();
    void exitTextFollowsTheLanguageAtConstruction();
    void shippedRussianTexts();
    void switchDisplayPassesTheNumberUnchanged_data();
    void switchDisplayPassesTheNumberUnchanged();
    void displaySessionsTravelByTypeName();
    void signalsInOrderAndNoSlots();
    void isAManager();
};

void ConnectionManagerTest::exitAction_data()
{
    QTest::addColumn<bool>("exitAllowed");
    QTest::addColumn<bool>("abortSession");
    QTest::addColumn<bool>("switchDisplay");
    QTest::addColumn<int>("exitDisabled");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("emitsExitConnection");
    QTest::newRow("disabled beats every flag") << true << true << true << 1 << false << QString() << true;
    QTest::newRow("negative disabled value") << true << false << false << -1 << false << QString() << false;
    QTest::newRow("abort without exit allowed")
        << false << true << false << 0 << true << QStringLiteral("Abort session") << true;
    QTest::newRow("abort beats restart") << true << true << true << 0 << true << QStringLiteral("Abort session")
                                         << true;
    QTest::newRow("remote display closes")
        << true << false << false << 0 << true << QStringLiteral("Close connection") << false;
    QTest::newRow("local display restarts X")
        << true << false << true << 0 << true << QStringLiteral("Restart X server") << false;
    QTest::newRow("nothing allowed") << false << false << false << 0 << false << QString() << false;
    QTest::newRow("switching alone offers no exit") << false << false << true << 0 << false << QString() << false;
}

void ConnectionManagerTest::exitAction()
{
    QFETCH(bool, exitAllowed);
    QFETCH(bool, abortSession);
    QFETCH(bool, switchDisplay);
    QFETCH(int, exitDisabled);
    QFETCH(bool, available);
    QFETCH(QString, text);
    QFETCH(bool, emitsExitConnection);

    Data data;
    data.exitAllowed = exitAllowed;
    data.abortSession = abortSession;
    data.switchDisplayAvailable = switchDisplay;
    data.chooserDialogAvailable = true;
    data.exitDisabled = exitDisabled;
    data.hostText = QStringLiteral("host text");
    ConnectionManager manager(data);
    QCOMPARE(manager.exitAction(), ConnectionManager::ExitAction(available, text));
    QCOMPARE(manager.switchDisplayAvailable(), switchDisplay);
    QVERIFY(manager.chooserDialogAvailable());
    QCOMPARE(manager.connectionData().hostText, QStringLiteral("host text"));

    QSignalSpy exitSpy(&manager, &ConnectionManager::exitConnectionRequest);
    QSignalSpy restartSpy(&manager, &ConnectionManager::restartXServerRequest);
    manager.performExitAction();
    QCOMPARE(exitSpy.count(), emitsExitConnection ? 1 : 0);
    QCOMPARE(restartSpy.count(), emitsExitConnection ? 0 : 1);
}

void ConnectionManagerTest::exitTextFollowsTheLanguageAtConstruction()
{
    const QString lrelease = QStandardPaths::findExecutable(QStringLiteral("lrelease"));
    if (lrelease.isEmpty())
        QSKIP("lrelease is not installed");
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("exit.ts"));
    const QString qm = dir.filePath(QStringLiteral("exit.qm"));
    TestFiles::write(ts,
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"de\">\n"
        "<context><name>ConnectionManager</name>\n"
        "<message><source>Close connection</source><translation>Verbindung schließen</translation>"
        "</message>\n</context>\n</TS>\n");
    QCOMPARE(QProcess::execute(lrelease, { QStringLiteral("-silent"), ts, QStringLiteral("-qm"), qm }), 0);
    QTranslator translator;
    QVERIFY(translator.load(qm));

    Data data;
    data.exitAllowed = true;
    ConnectionManager before(data);
    QVERIFY(QCoreApplication::installTranslator(&translator));
    ConnectionManager translated(data);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(before.exitAction().second, QStringLiteral("Close connection"));
    QCOMPARE(translated.exitAction().second, QStringLiteral("Verbindung schließen"));
}

void ConnectionManagerTest::shippedRussianTexts()
{
#ifdef LIBRARY_CATALOGUE_RU
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(LIBRARY_CATALOGUE_RU)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    Data data;
    data.exitAllowed = true;
    const ConnectionManager closing(data);
    data.switchDisplayAvailable = true;
    const ConnectionManager restarting(data);
    data.abortSession = true;
    const ConnectionManager aborting(data);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(closing.exitAction().second, QStringLiteral("Закрыть соединение"));
    QCOMPARE(restarting.exitAction().second, QStringLiteral("Перезапустить X-сервер"));
    QCOMPARE(aborting.exitAction().second, QStringLiteral("Прервать сеанс"));
#else
    QSKIP("built without the translation catalogues");
#endif
}

void ConnectionManagerTest::switchDisplayPassesTheNumberUnchanged_data()
{
    QTest::addColumn<int>("vt");
    QTest::newRow("a terminal") << 7;
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -1;
}

void ConnectionManagerTest::switchDisplayPassesTheNumberUnchanged()
{
    QFETCH(int, vt);
    ConnectionManager manager(Data {});
    QSignalSpy spy(&manager, &ConnectionManager::switchDisplayRequest);
    manager.switchDisplay(vt);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), vt);
}

void ConnectionManagerTest::displaySessionsTravelByTypeName()
{
    QCOMPARE(QMetaType::type("DpyDescription"), qMetaTypeId<DpyDescription>());
    QCOMPARE(QMetaType::type("DpyDescriptions"), qMetaTypeId<DpyDescriptions>());

    ConnectionManager manager(Data {});
    DpyDescription session;
    session.display = QStringLiteral(":1");
    session.vt = 8;
    session.detail = QStringLiteral("vt8");
    session.caption = QStringLiteral("anna");
    session.current = true;
    const DpyDescriptions sessions { session, DpyDescription {} };

    // By name, as a host written against the string-based connection syntax would connect.
    QSignalSpy spy(&manager, SIGNAL(updateDisplaySessions(DpyDescriptions)));
    QVERIFY(spy.isValid());
    DpyDescriptions queued;
    connect(
        &manager, &ConnectionManager::updateDisplaySessions, this, [&](const DpyDescriptions& list) { queued = list; },
        Qt::QueuedConnection);
    Q_EMIT manager.updateDisplaySessions(sessions);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<DpyDescriptions>(), sessions);
    QTRY_COMPARE(queued, sessions);
}

void ConnectionManagerTest::signalsInOrderAndNoSlots()
{
    const QStringList expected {
        QStringLiteral("restartXServerRequest()"),
        QStringLiteral("exitConnectionRequest()"),
        QStringLiteral("switchDisplayRequest(int)"),
        QStringLiteral("displaySessionsRequest()"),
        QStringLiteral("updateDisplaySessions(DpyDescriptions)"),
        QStringLiteral("reloadToXDMCPDialog()"),
    };
    QCOMPARE(MetaSignatures::ownMethods(ConnectionManager::staticMetaObject), expected);
}

void ConnectionManagerTest::isAManager()
{
    ConnectionManager manager(Data {});
    QCOMPARE(manager.id(), QStringLiteral("connection"));
    QCOMPARE(static_cast<Manager*>(manager.qt_metacast("Manager")), static_cast<Manager*>(&manager));
}

QTEST_GUILESS_MAIN(ConnectionManagerTest)
#include "tst_connectionmanager.moc"
