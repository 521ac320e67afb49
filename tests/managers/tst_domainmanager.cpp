// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "DomainManager.h"
#include "MetaSignatures.h"
#include "ProcessProbe.h"
#include "ScopedSystemRoot.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <memory>

namespace
{

const QString localComputer = QStringLiteral("Local computer");
const QString waiting = QStringLiteral("Waiting for domain response...");

DomainSettings settings(
    const QStringList& domains, const QString& separator = QStringLiteral("@"), bool isPrefixDomain = false)
{
    DomainSettings result;
    result.domains = domains;
    result.separator = separator;
    result.isPrefixDomain = isPrefixDomain;
    return result;
}

QStringList lastList(const QSignalSpy& spy)
{
    return spy.last().at(0).toStringList();
}

/**
 * Waits until @p spy's last list is @p final; every list before it must be @p waiting. A
 * script that ends at once may even end before the first list goes out, which is then final.
 */
bool listsEndWith(QSignalSpy& spy, const QStringList& waiting, const QStringList& final)
{
    if (!QTest::qWaitFor([&] { return spy.count() > 0 && lastList(spy) == final; }, 10000))
        return false;
    for (int i = 0; i + 1 < spy.count(); ++i) {
        const QStringList list = spy.at(i).at(0).toStringList();
        if (list != waiting && list != final)
            return false;
    }
    return true;
}

} // namespace

class DomainManagerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void firstListFromConfiguration_data();
    void firstListFromConfiguration();
    void onlyExecutablePlainFilesCountAsScripts();
    void shippedRussianTexts();
    void scriptListingReplacesTheWaitingEntry_data();
    void scriptListingReplacesTheWaitingEntry();
    void listingIsRerunAMinuteAfterEachFinish();
    void crashedListingDropsTheScriptDomains();
    void crashedFirstListingDropsTheWaitingEntry();
    void listingThatNeverEndsIsEndedAndRetried_data();
    void listingThatNeverEndsIsEndedAndRetried();
    void scriptThatCannotStartIsRetriedLater();
    void scriptRemovedLaterDropsItsDomains();
    void destructionEndsARunningListing();

    void loginRequestsWithoutConversion_data();
    void loginRequestsWithoutConversion();
    void conversionThroughTheScript_data();
    void conversionThroughTheScript();
    void unknownDomainWithoutScriptIsAnError();
    void hangingConversionFailsAndLeavesNothingBehind();

    void metaMethodsInOrder();

private:
    /// Installs the domain script: @p listing runs without arguments, @p conversion for "-l user domain".
    QString installScript(const QByteArray& listing, const QByteArray& conversion = "exit 1\n",
        const QString& name = QStringLiteral("domains"));
    std::unique_ptr<ScopedSystemRoot> m_root;
    QString m_pids;
};

void DomainManagerTest::init()
{
    m_root = std::make_unique<ScopedSystemRoot>();
    QVERIFY(m_root->isValid());
    m_pids = m_root->filePath(QStringLiteral("/pids"));
}

void DomainManagerTest::cleanup()
{
    m_root.reset();
}

QString DomainManagerTest::installScript(const QByteArray& listing, const QByteArray& conversion, const QString& name)
{
    const QString path = m_root->filePath(QStringLiteral("/etc/domains.list.d/") + name);
    const QByteArray pids = QFile::encodeName(m_pids);
    TestFiles::writeScript(path,
        "PIDS='" + pids
            + "'\n"
              "if [ \"$1\" = -l ]; then\n"
            + conversion + "\nelse\n" + listing + "\nfi\n");
    return path;
}

void DomainManagerTest::firstListFromConfiguration_data()
{
    QTest::addColumn<QStringList>("configured");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("inDomain");
    QTest::newRow("two domains") << QStringList { QStringLiteral("corp"), QStringLiteral("lab") }
                                 << QStringList { localComputer, QStringLiteral("corp"), QStringLiteral("lab") }
                                 << true;
    QTest::newRow("in no domain the empty list is still sent") << QStringList() << QStringList() << false;
}

void DomainManagerTest::firstListFromConfiguration()
{
    QFETCH(QStringList, configured);
    QFETCH(QStringList, expected);
    QFETCH(bool, inDomain);
    DomainManager manager(settings(configured, QStringLiteral("\\")));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    QCOMPARE(spy.count(), 0);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(lastList(spy), expected);
    QCOMPARE(manager.inDomain(), inDomain);
    QCOMPARE(manager.separator(), QStringLiteral("\\"));
    QVERIFY(manager.domains().isEmpty());
    QVERIFY(!manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"))->isActive());
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);
}

void DomainManagerTest::onlyExecutablePlainFilesCountAsScripts()
{
    m_root->writeFile(QStringLiteral("/etc/domains.list.d/readme"), "echo corp\n");
    m_root->makeDir(QStringLiteral("/etc/domains.list.d/subdir"));
    QFile::setPermissions(m_root->filePath(QStringLiteral("/etc/domains.list.d/subdir")),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    DomainManager manager(settings({}));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(lastList(spy), QStringList());
    QVERIFY(!manager.inDomain());
}

void DomainManagerTest::shippedRussianTexts()
{
#ifdef LIBRARY_CATALOGUE_RU
    installScript("sleep 5");
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(LIBRARY_CATALOGUE_RU)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    DomainManager manager(settings({ QStringLiteral("corp") }));
    QCoreApplication::removeTranslator(&translator);
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    QTRY_COMPARE(spy.count(), 1);
    const QString local = QStringLiteral("Локальный компьютер");
    QCOMPARE(
        lastList(spy), (QStringList { local, QStringLiteral("corp"), QStringLiteral("Ожидание ответа домена...") }));

    // The texts taken at construction are the ones recognised later.
    QSignalSpy handled(&manager, &DomainManager::loginRequestDataHandled);
    manager.handleLoginRequestData(AuthData { QStringLiteral("anna"), QString() }, local);
    QCOMPARE(handled.count(), 1);
    QCOMPARE(handled.at(0).at(0).value<AuthData>().login, QStringLiteral("anna"));
#else
    QSKIP("built without the translation catalogues");
#endif
}

void DomainManagerTest::scriptListingReplacesTheWaitingEntry_data()
{
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<QStringList>("configured");
    QTest::addColumn<QStringList>("scriptDomains");
    QTest::newRow("empty lines and lines with blanks are skipped")
        << QByteArray("printf 'corp.example\\n\\ntwo words\\n   \\nlab\\n'") << QStringList()
        << QStringList { QStringLiteral("corp.example"), QStringLiteral("lab") };
    QTest::newRow("non-zero exit still counts")
        << QByteArray("echo corp; exit 3") << QStringList() << QStringList { QStringLiteral("corp") };
    QTest::newRow("output ends at a NUL byte") << QByteArray("printf 'corp\\nlab\\000hidden\\n'") << QStringList()
                                               << QStringList { QStringLiteral("corp"), QStringLiteral("lab") };
    QTest::newRow("no output") << QByteArray("true") << QStringList() << QStringList();
    QTest::newRow("after the configured domains")
        << QByteArray("echo remote") << QStringList { QStringLiteral("local") }
        << QStringList { QStringLiteral("remote") };
}

void DomainManagerTest::scriptListingReplacesTheWaitingEntry()
{
    QFETCH(QByteArray, listing);
    QFETCH(QStringList, configured);
    QFETCH(QStringList, scriptDomains);
    installScript(listing);
    DomainManager manager(settings(configured));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    QVERIFY(manager.inDomain());
    QVERIFY(listsEndWith(spy, QStringList { localComputer } + configured + QStringList { waiting },
        QStringList { localComputer } + configured + scriptDomains));
    QCOMPARE(manager.domains(), scriptDomains);
}

void DomainManagerTest::listingIsRerunAMinuteAfterEachFinish()
{
    const QString marker = m_root->filePath(QStringLiteral("/second"));
    installScript("if [ -e '" + QFile::encodeName(marker) + "' ]; then echo second; else echo first; fi");
    DomainManager manager(settings({}));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    auto* timer = manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"));
    QVERIFY(timer);
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(manager.domains(), QStringList { QStringLiteral("first") });
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 60000);
    QCOMPARE(timer->timerType(), Qt::CoarseTimer);

    TestFiles::write(marker, QByteArray());
    timer->stop();
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QTRY_COMPARE(spy.count(), 3);
    QCOMPARE(lastList(spy), (QStringList { localComputer, QStringLiteral("second") }));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 60000);
}

void DomainManagerTest::crashedListingDropsTheScriptDomains()
{
    const QString marker = m_root->filePath(QStringLiteral("/crash"));
    installScript("if [ -e '" + QFile::encodeName(marker) + "' ]; then echo lost; kill -9 $$; fi; echo corp");
    DomainManager manager(settings({ QStringLiteral("conf") }));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(manager.domains(), QStringList { QStringLiteral("corp") });

    TestFiles::write(marker, QByteArray());
    manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"))->stop();
    manager.startGetDomainsScript();
    QTRY_COMPARE(spy.count(), 3);
    QCOMPARE(lastList(spy), (QStringList { localComputer, QStringLiteral("conf") }));
    QVERIFY(manager.domains().isEmpty());
    QVERIFY(manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"))->isActive());

    // A second crash has nothing left to drop and sends nothing.
    manager.startGetDomainsScript();
    QTRY_VERIFY(manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"))->isActive());
    QTest::qWait(200);
    QCOMPARE(spy.count(), 3);
}

void DomainManagerTest::crashedFirstListingDropsTheWaitingEntry()
{
    installScript("kill -9 $$");
    DomainManager manager(settings({}));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    QVERIFY(listsEndWith(spy, QStringList { localComputer, waiting }, QStringList { localComputer }));
    QVERIFY(manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"))->isActive());
}

void DomainManagerTest::listingThatNeverEndsIsEndedAndRetried_data()
{
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<int>("started");
    QTest::newRow("never ends") << QByteArray("echo $$ >> \"$PIDS\"; sleep 30 & echo $! >> \"$PIDS\"; wait")
                                << QStringList { localComputer } << 2;
    // Nothing is ever written to the script: reading its input ends at once.
    QTest::newRow("waits on its input") << QByteArray("echo $$ >> \"$PIDS\"; read answer; echo corp")
                                        << QStringList { localComputer, QStringLiteral("corp") } << 1;
}

void DomainManagerTest::listingThatNeverEndsIsEndedAndRetried()
{
    QFETCH(QByteArray, listing);
    QFETCH(QStringList, offered);
    QFETCH(int, started);
    installScript(listing);
    DomainManager manager(settings({}));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    auto* limit = manager.findChild<QTimer*>(QStringLiteral("domainScriptListingTimer"));
    QCOMPARE(limit->interval(), 60000);
    limit->setInterval(300);
    QVERIFY(listsEndWith(spy, QStringList { localComputer, waiting }, offered));
    QVERIFY(manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"))->isActive());
    QTRY_COMPARE(ProcessProbe::idsIn(m_pids).size(), started);
    QTRY_COMPARE(ProcessProbe::runningIn(m_pids), 0);
}

void DomainManagerTest::scriptThatCannotStartIsRetriedLater()
{
    const QString path = m_root->filePath(QStringLiteral("/etc/domains.list.d/domains"));
    TestFiles::write(path, "#!/nonexistent/interpreter\necho corp\n");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    DomainManager manager(settings({}));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    auto* timer = manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"));
    QTRY_VERIFY(timer->isActive());
    QTRY_VERIFY(spy.count() >= 1);
    QCOMPARE(lastList(spy), QStringList { localComputer });
    QCOMPARE(timer->interval(), 60000);
    QVERIFY(manager.inDomain());

    // Mended, the script works at the next try.
    TestFiles::writeScript(path, "echo corp\n");
    timer->stop();
    manager.startGetDomainsScript();
    QTRY_COMPARE(lastList(spy), (QStringList { localComputer, QStringLiteral("corp") }));
}

void DomainManagerTest::scriptRemovedLaterDropsItsDomains()
{
    const QString path = installScript("echo corp");
    DomainManager manager(settings({}));
    QSignalSpy spy(&manager, &DomainManager::domainsListChanged);
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(manager.domains(), QStringList { QStringLiteral("corp") });

    QVERIFY(QFile::remove(path));
    auto* timer = manager.findChild<QTimer*>(QStringLiteral("domainScriptRerunTimer"));
    timer->stop();
    manager.startGetDomainsScript();
    QTRY_COMPARE(spy.count(), 3);
    QCOMPARE(lastList(spy), QStringList { localComputer });
    QVERIFY(manager.domains().isEmpty());
    QTRY_VERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 60000);
}

void DomainManagerTest::destructionEndsARunningListing()
{
    installScript("echo $$ >> \"$PIDS\"; sleep 30 & echo $! >> \"$PIDS\"; wait");
    {
        DomainManager manager(settings({}));
        QTRY_COMPARE(ProcessProbe::idsIn(m_pids).size(), 2);
    }
    QTRY_COMPARE(ProcessProbe::runningIn(m_pids), 0);
}

void DomainManagerTest::loginRequestsWithoutConversion_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("login");
    QTest::newRow("local computer") << QStringLiteral("@") << false << localComputer << QStringLiteral("anna");
    QTest::newRow("waiting entry") << QStringLiteral("@") << false << waiting << QStringLiteral("anna");
    QTest::newRow("no domain") << QStringLiteral("@") << false << QString() << QStringLiteral("anna");
    QTest::newRow("configured, suffix") << QStringLiteral("@") << false << QStringLiteral("corp.example")
                                        << QStringLiteral("anna@corp.example");
    QTest::newRow("configured, prefix") << QStringLiteral("@") << true << QStringLiteral("corp.example")
                                        << QStringLiteral("corp.example@anna");
    QTest::newRow("configured, prefix with backslash")
        << QStringLiteral("\\") << true << QStringLiteral("CORP") << QStringLiteral("CORP\\anna");
    QTest::newRow("empty separator still joins")
        << QString() << false << QStringLiteral("CORP") << QStringLiteral("annaCORP");
}

void DomainManagerTest::loginRequestsWithoutConversion()
{
    QFETCH(QString, separator);
    QFETCH(bool, prefix);
    QFETCH(QString, domain);
    QFETCH(QString, login);
    DomainManager manager(settings({ QStringLiteral("corp.example"), QStringLiteral("CORP") }, separator, prefix));
    QSignalSpy handled(&manager, &DomainManager::loginRequestDataHandled);
    QSignalSpy errors(&manager, &DomainManager::errorOccurred);
    manager.handleLoginRequestData(AuthData { QStringLiteral("anna"), QStringLiteral("pw €") }, domain);
    QCOMPARE(handled.count(), 1);
    QCOMPARE(handled.at(0).at(0).value<AuthData>(), (AuthData { login, QStringLiteral("pw €") }));
    QCOMPARE(errors.count(), 0);
}

void DomainManagerTest::conversionThroughTheScript_data()
{
    QTest::addColumn<QByteArray>("conversion");
    QTest::addColumn<QString>("login");
    QTest::newRow("white space around and inside is cleaned")
        << QByteArray("printf '  %s  at\\t %s \\n\\n' \"$2\" \"$3\"") << QStringLiteral("anna at remote.example");
    QTest::newRow("non-zero exit with a name counts")
        << QByteArray("printf '%s+%s\\n' \"$3\" \"$2\"; exit 2") << QStringLiteral("remote.example+anna");
    QTest::newRow("empty output is an error") << QByteArray("true") << QString();
    QTest::newRow("blanks only are an error") << QByteArray("printf ' \\n\\t\\n'") << QString();
    QTest::newRow("crash after printing a name is an error") << QByteArray("echo anna; kill -9 $$") << QString();
    QTest::newRow("configured domains are not case-insensitive")
        << QByteArray("[ \"$3\" = corp ] && echo converted") << QStringLiteral("converted");
}

void DomainManagerTest::conversionThroughTheScript()
{
    QFETCH(QByteArray, conversion);
    QFETCH(QString, login);
    installScript("echo remote.example", conversion);
    DomainManager manager(settings({ QStringLiteral("CORP") }));
    QSignalSpy lists(&manager, &DomainManager::domainsListChanged);
    QTRY_COMPARE(lists.count(), 2);
    QSignalSpy handled(&manager, &DomainManager::loginRequestDataHandled);
    QSignalSpy errors(&manager, &DomainManager::errorOccurred);
    const QString domain = QString::fromLatin1(QTest::currentDataTag()).contains(QStringLiteral("case"))
        ? QStringLiteral("corp")
        : QStringLiteral("remote.example");
    manager.handleLoginRequestData(AuthData { QStringLiteral("anna"), QStringLiteral("secret") }, domain);
    if (login.isEmpty()) {
        QCOMPARE(errors.count(), 1);
        QCOMPARE(handled.count(), 0);
    } else {
        QCOMPARE(errors.count(), 0);
        QCOMPARE(handled.count(), 1);
        QCOMPARE(handled.at(0).at(0).value<AuthData>(), (AuthData { login, QStringLiteral("secret") }));
    }
}

void DomainManagerTest::unknownDomainWithoutScriptIsAnError()
{
    DomainManager manager(settings({ QStringLiteral("CORP") }));
    QSignalSpy handled(&manager, &DomainManager::loginRequestDataHandled);
    QSignalSpy errors(&manager, &DomainManager::errorOccurred);
    manager.handleLoginRequestData(AuthData { QStringLiteral("anna"), QStringLiteral("pw") }, QStringLiteral("corp"));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(handled.count(), 0);
}

void DomainManagerTest::hangingConversionFailsAndLeavesNothingBehind()
{
    installScript("true", "echo $$ >> \"$PIDS\"; echo anna; sleep 30 & echo $! >> \"$PIDS\"; wait");
    DomainManager manager(settings({}));
    QSignalSpy handled(&manager, &DomainManager::loginRequestDataHandled);
    QSignalSpy errors(&manager, &DomainManager::errorOccurred);
    QElapsedTimer clock;
    clock.start();
    manager.handleLoginRequestData(AuthData { QStringLiteral("anna"), QStringLiteral("pw") }, QStringLiteral("remote"));
    const qint64 elapsed = clock.elapsed();
    // Well before the script itself would end (30 s), whatever the load on the machine.
    QVERIFY2(elapsed >= 9900 && elapsed < 25000, qPrintable(QString::number(elapsed)));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(handled.count(), 0);
    QCOMPARE(ProcessProbe::idsIn(m_pids).size(), 2);
    QTRY_COMPARE(ProcessProbe::runningIn(m_pids), 0);
}

void DomainManagerTest::metaMethodsInOrder()
{
    const QStringList expected {
        QStringLiteral("loginRequestDataHandled(AuthData)"),
        QStringLiteral("domainsListChanged(QStringList)"),
        QStringLiteral("errorOccurred()"),
        QStringLiteral("handleLoginRequestData(AuthData,QString)"),
        QStringLiteral("updateDomainsList(int,QProcess::ExitStatus)"),
        QStringLiteral("startGetDomainsScript()"),
    };
    QCOMPARE(MetaSignatures::ownMethods(DomainManager::staticMetaObject), expected);
}

QTEST_GUILESS_MAIN(DomainManagerTest)
#include "tst_domainmanager.moc"
