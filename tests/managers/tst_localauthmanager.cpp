// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "AuthData.h"
#include "LocalAuthManager.h"
#include "MetaSignatures.h"

#include <QSignalSpy>
#include <QTest>

class LocalAuthManagerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void settings_data();
    void settings();
    void hostnameAndFocusStartEmpty();

    void loginRequestCarriesDataUnchanged_data();
    void loginRequestCarriesDataUnchanged();
    void autoLoginRequestIsOneSignal();
    void authDataTravelsThroughQueuedConnections();
    void signalsInDeclarationOrder();
};

void LocalAuthManagerTest::settings_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("no delay, user given") << 0 << QStringLiteral("guest") << false;
    QTest::newRow("positive delay") << 10 << QStringLiteral("guest") << true;
    QTest::newRow("negative delay counts as enabled") << -1 << QStringLiteral("guest") << true;
    QTest::newRow("delay without user") << 3 << QString() << true;
}

void LocalAuthManagerTest::settings()
{
    QFETCH(int, delay);
    QFETCH(QString, user);
    QFETCH(bool, enabled);
    LocalAuthManager manager(delay, user);
    QCOMPARE(manager.id(), QStringLiteral("localAuth"));
    QCOMPARE(manager.autoLoginDelay(), delay);
    QCOMPARE(manager.autoLoginUser(), user);
    QCOMPARE(manager.autoLoginEnabled(), enabled);
}

void LocalAuthManagerTest::hostnameAndFocusStartEmpty()
{
    LocalAuthManager manager(0, QString());
    QVERIFY(manager.hostname().isEmpty());
    QVERIFY(!manager.focusPassword());
    manager.setHostname(QStringLiteral("station-7"));
    manager.setFocusPassword(true);
    QCOMPARE(manager.hostname(), QStringLiteral("station-7"));
    QVERIFY(manager.focusPassword());
}

void LocalAuthManagerTest::loginRequestCarriesDataUnchanged_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::newRow("plain") << QStringLiteral("anna") << QStringLiteral("secret");
    QTest::newRow("empty fields are not validated") << QString() << QString();
    QTest::newRow("domain joined, unicode password") << QStringLiteral("CORP\\anna") << QStringLiteral("пароль €");
}

void LocalAuthManagerTest::loginRequestCarriesDataUnchanged()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    LocalAuthManager manager(0, QString());
    QSignalSpy spy(&manager, &LocalAuthManager::loginRequest);
    QSignalSpy autoSpy(&manager, &LocalAuthManager::autoLoginRequest);
    manager.performLoginRequest(AuthData { login, password });
    QCOMPARE(spy.count(), 1);
    const auto data = spy.at(0).at(0).value<AuthData>();
    QCOMPARE(data.login, login);
    QCOMPARE(data.password, password);
    QCOMPARE(autoSpy.count(), 0);
}

void LocalAuthManagerTest::autoLoginRequestIsOneSignal()
{
    LocalAuthManager manager(5, QStringLiteral("kiosk"));
    QSignalSpy spy(&manager, &LocalAuthManager::autoLoginRequest);
    QSignalSpy loginSpy(&manager, &LocalAuthManager::loginRequest);
    manager.performAutoLoginRequest();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(loginSpy.count(), 0);
}

void LocalAuthManagerTest::authDataTravelsThroughQueuedConnections()
{
    QCOMPARE(QMetaType::type("AuthData"), qMetaTypeId<AuthData>());
    LocalAuthManager manager(0, QString());
    AuthData received;
    int calls = 0;
    connect(
        &manager, &LocalAuthManager::loginRequest, this,
        [&](AuthData data) {
            received = data;
            ++calls;
        },
        Qt::QueuedConnection);
    manager.performLoginRequest(AuthData { QStringLiteral("bob"), QStringLiteral("pw") });
    QCOMPARE(calls, 0);
    QTRY_COMPARE(calls, 1);
    QCOMPARE(received, (AuthData { QStringLiteral("bob"), QStringLiteral("pw") }));
}

void LocalAuthManagerTest::signalsInDeclarationOrder()
{
    const QStringList expected {
        QStringLiteral("loginRequest(AuthData)"),
        QStringLiteral("autoLoginRequest()"),
        QStringLiteral("loginFailed()"),
        QStringLiteral("successLogin()"),
        QStringLiteral("passwordChangeRequested(bool)"),
        QStringLiteral("newPasswordInsertionCompleted(QString,QString,QString,QString)"),
        QStringLiteral("newPasswordInsertionRejected()"),
        QStringLiteral("pamErrorReceived(QString,bool)"),
        QStringLiteral("messageReceived(QString)"),
        QStringLiteral("requestReceived(QString,bool)"),
        QStringLiteral("enableGenericMode()"),
        QStringLiteral("sendAnswerToPam(QString)"),
        QStringLiteral("anotherRequestDialog(QString,bool)"),
        QStringLiteral("sendStringToPam(QString)"),
    };
    QCOMPARE(MetaSignatures::ownSignals(LocalAuthManager::staticMetaObject), expected);
}

QTEST_GUILESS_MAIN(LocalAuthManagerTest)
#include "tst_localauthmanager.moc"
