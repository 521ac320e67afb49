// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "StderrCapture.h"
#include "StsSettings.h"
#include "TestFiles.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class StsSettingsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingFileReadsEmpty();
    void storedValueSplitsAtFirstAt_data();
    void storedValueSplitsAtFirstAt();
    void roundTrip_data();
    void roundTrip();
    void saveReachesTheFileAtOnce();
    void unwritableDirectoryIsReported();
    void storeWithASerialisedObjectIsWrittenAnew();
};

void StsSettingsTest::missingFileReadsEmpty()
{
    QTemporaryDir dir;
    const StsSettings store(
        dir.filePath(QStringLiteral("absent/prev.ini")), QStringLiteral("last"), QStringLiteral("@"));
    const UserStsData data = store.getPrevUserData();
    QVERIFY(data.username.isEmpty());
    QVERIFY(data.domain.isEmpty());
}

void StsSettingsTest::storedValueSplitsAtFirstAt_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("username");
    QTest::addColumn<QString>("domain");
    QTest::newRow("plain name") << QByteArray("anna") << QStringLiteral("anna") << QString();
    QTest::newRow("one @") << QByteArray("anna@corp.example") << QStringLiteral("anna")
                           << QStringLiteral("corp.example");
    QTest::newRow("two @ keep the second in the domain")
        << QByteArray("anna@corp@example") << QStringLiteral("anna") << QStringLiteral("corp@example");
    QTest::newRow("backslash separator is not split")
        << QByteArray("CORP\\\\anna") << QStringLiteral("CORP\\anna") << QString();
    QTest::newRow("only a domain") << QByteArray("@corp") << QString() << QStringLiteral("corp");
}

void StsSettingsTest::storedValueSplitsAtFirstAt()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, username);
    QFETCH(QString, domain);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prev.ini"));
    QVERIFY(TestFiles::write(path, "[PrevUser]\nlast=\"" + value + "\"\n"));
    const StsSettings store(path, QStringLiteral("last"), QStringLiteral("@"));
    QCOMPARE(store.getPrevUserData().username, username);
    QCOMPARE(store.getPrevUserData().domain, domain);
}

void StsSettingsTest::roundTrip_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("username");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("readUsername");
    QTest::addColumn<QString>("readDomain");
    QTest::newRow("@ keeps the record") << QStringLiteral("@") << QStringLiteral("anna") << QStringLiteral("corp")
                                        << QStringLiteral("anna") << QStringLiteral("corp");
    QTest::newRow("empty domain stores the name only")
        << QStringLiteral("@") << QStringLiteral("anna") << QString() << QStringLiteral("anna") << QString();
    QTest::newRow("empty separator drops the domain")
        << QString() << QStringLiteral("anna") << QStringLiteral("corp") << QStringLiteral("anna") << QString();
    QTest::newRow("another separator reads back whole")
        << QStringLiteral("\\") << QStringLiteral("anna") << QStringLiteral("CORP") << QStringLiteral("anna\\CORP")
        << QString();
}

void StsSettingsTest::roundTrip()
{
    QFETCH(QString, separator);
    QFETCH(QString, username);
    QFETCH(QString, domain);
    QFETCH(QString, readUsername);
    QFETCH(QString, readDomain);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prev.ini"));
    {
        StsSettings store(path, QStringLiteral("last"), separator);
        store.savePrevUserData(UserStsData { username, domain });
        QCOMPARE(store.getPrevUserData().username, readUsername);
        QCOMPARE(store.getPrevUserData().domain, readDomain);
    }
    const StsSettings reopened(path, QStringLiteral("last"), separator);
    QCOMPARE(reopened.getPrevUserData().username, readUsername);
    QCOMPARE(reopened.getPrevUserData().domain, readDomain);
}

void StsSettingsTest::saveReachesTheFileAtOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prev.ini"));
    StsSettings store(path, QStringLiteral("last"), QStringLiteral("@"));
    store.savePrevUserData(UserStsData { QStringLiteral("boris"), QStringLiteral("corp") });
    // Read while the store is still open: nothing may wait for the destructor.
    QSettings check(path, QSettings::IniFormat);
    QCOMPARE(check.value(QStringLiteral("PrevUser/last")).toString(), QStringLiteral("boris@corp"));
}

void StsSettingsTest::unwritableDirectoryIsReported()
{
    // A plain file where the directory should be: not even root can write below it.
    QTemporaryDir dir;
    QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("blocker")), "a file, not a directory"));
    const QString path = dir.filePath(QStringLiteral("blocker/prev.ini"));
    StderrCapture errors;
    {
        StsSettings store(path, QStringLiteral("last"), QStringLiteral("@"));
        store.savePrevUserData(UserStsData { QStringLiteral("anna"), QString() });
    }
    QVERIFY2(errors.text().contains("cannot write the previous-user store"), errors.text().constData());
    QVERIFY(!QFile::exists(path));
}

void StsSettingsTest::storeWithASerialisedObjectIsWrittenAnew()
{
    // Saving reads the whole file again, where Qt would build the object and an exception
    // could not be caught: such a store is neither believed nor kept.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prev.ini"));
    QVERIFY(TestFiles::write(path, "[PrevUser]\nlast=anna\n[Other]\nthumb=@Variant(\\0\\0\\0\\x7f\\xff\\xff\\xff)\n"));
    StderrCapture errors;
    {
        StsSettings store(path, QStringLiteral("last"), QStringLiteral("@"));
        QVERIFY(store.getPrevUserData().username.isEmpty());
        store.savePrevUserData(UserStsData { QStringLiteral("boris"), QString() });
    }
    QVERIFY2(errors.text().contains("it is written anew"), errors.text().constData());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[PrevUser]\nlast=boris\n"));
}

QTEST_GUILESS_MAIN(StsSettingsTest)
#include "tst_stssettings.moc"
