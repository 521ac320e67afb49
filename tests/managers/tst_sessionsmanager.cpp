// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SessionsManager.h"

#include <QSignalSpy>
#include <QTest>

namespace
{

SessionDescription session(const QString& type, const QString& name, bool hidden = false)
{
    SessionDescription description;
    description.type = type;
    description.names.insert(QString(), name);
    description.hidden = hidden;
    return description;
}

} // namespace

class SessionsManagerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyedByTypeLaterWins();
    void emptyListGivesEmptyMap();
    void aliasWrittenThroughTheReferenceStays();
    void nextSessionTypeIsOneSignal_data();
    void nextSessionTypeIsOneSignal();
    void isAManager();
};

void SessionsManagerTest::keyedByTypeLaterWins()
{
    SessionsManager manager({ session(QStringLiteral("xfce"), QStringLiteral("Xfce")),
        session(QStringLiteral("plasma"), QStringLiteral("Plasma (system)")),
        session(QStringLiteral("plasma"), QStringLiteral("Plasma (local)"), true) });
    const QMap<QString, SessionDescription>& sessions = manager.availableSessions();
    QCOMPARE(sessions.keys(), (QStringList { QStringLiteral("plasma"), QStringLiteral("xfce") }));
    QCOMPARE(sessions.value(QStringLiteral("plasma")).names.value(QString()), QStringLiteral("Plasma (local)"));
    QVERIFY(sessions.value(QStringLiteral("plasma")).hidden);
}

void SessionsManagerTest::emptyListGivesEmptyMap()
{
    SessionsManager manager({});
    QVERIFY(manager.availableSessions().isEmpty());
}

void SessionsManagerTest::aliasWrittenThroughTheReferenceStays()
{
    SessionsManager manager({ session(QStringLiteral("gnome"), QStringLiteral("GNOME")) });
    manager.availableSessions()[QStringLiteral("gnome")].alias = QStringLiteral("Desktop");
    const SessionsManager& constManager = manager;
    QCOMPARE(constManager.availableSessions().value(QStringLiteral("gnome")).alias, QStringLiteral("Desktop"));
}

void SessionsManagerTest::nextSessionTypeIsOneSignal_data()
{
    QTest::addColumn<QString>("type");
    QTest::newRow("known type") << QStringLiteral("gnome");
    QTest::newRow("unknown type is not checked") << QStringLiteral("nothing-like-it");
    QTest::newRow("empty type still emits") << QString();
}

void SessionsManagerTest::nextSessionTypeIsOneSignal()
{
    QFETCH(QString, type);
    SessionsManager manager({ session(QStringLiteral("gnome"), QStringLiteral("GNOME")) });
    QSignalSpy spy(&manager, &SessionsManager::setNextSessionTypeRequest);
    manager.setNextSessionType(type);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), type);
    QCOMPARE(manager.availableSessions().size(), 1);
}

void SessionsManagerTest::isAManager()
{
    SessionsManager manager({});
    QCOMPARE(manager.id(), QStringLiteral("sessions"));
    QCOMPARE(SessionsManager::ID, QStringLiteral("sessions"));
    QCOMPARE(static_cast<Manager*>(manager.qt_metacast("Manager")), static_cast<Manager*>(&manager));
}

QTEST_GUILESS_MAIN(SessionsManagerTest)
#include "tst_sessionsmanager.moc"
