// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "nimbdbus.h"

#include "TestFiles.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <initializer_list>
#include <memory>

#include <signal.h>
#include <sys/prctl.h>

namespace
{

const QString logindName = QStringLiteral("org.freedesktop.login1");

/// Answers for the fake logind; nullptr leaves the method out.
QStringList fakeReplies(std::initializer_list<const char*> words)
{
    QStringList result;
    for (const char* word : words)
        result << (word ? QString::fromLatin1(word) : QString());
    return result;
}

/// A child that the kernel ends with the test, should the test crash before it can clean up.
class TiedProcess : public QProcess
{
protected:
    void setupChildProcess() override { ::prctl(PR_SET_PDEATHSIG, SIGTERM); }
};

/// A program the test starts, ended and reaped whenever the test leaves its scope, failed checks included.
class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(-1);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    /// Starts @p program and returns the first line it prints once ready; empty if it printed none within 10 s.
    QByteArray start(const QString& program, const QStringList& arguments)
    {
        m_process.start(program, arguments);
        const QDeadlineTimer deadline(10000);
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(int(deadline.remainingTime()))) {
                // Its complaints matter only when it fails (a daemon started as root also
                // reports that it may not raise its file limit).
                qWarning().noquote() << program << "did not start:" << m_process.errorString()
                                     << m_process.readAllStandardError();
                return {};
            }
        }
        return m_process.readLine().trimmed();
    }

private:
    TiedProcess m_process;
};

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
    std::unique_ptr<ChildProcess> startBus();
    std::unique_ptr<ChildProcess> startLogind(const QStringList& replies);

    QTemporaryDir m_dir;
    QString m_socket;
    QString m_address;
    QString m_config;
};

void NimbDBusTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_socket = m_dir.filePath(QStringLiteral("system_bus_socket"));
    m_address = QStringLiteral("unix:path=") + m_socket;
    m_config = m_dir.filePath(QStringLiteral("bus.conf"));
    const QString config
        = QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <listen>unix:path=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
)");
    QVERIFY(TestFiles::write(m_config, config.arg(m_socket.toHtmlEscaped()).toUtf8()));
    // libdbus reads the address once per process, so every bus of this test listens on the
    // same socket, and the machine's own system bus is never asked.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
}

std::unique_ptr<ChildProcess> NimbDBusTest::startBus()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        qWarning("dbus-daemon is missing (scripts/install-dependencies installs it)");
        return nullptr;
    }
    auto bus = std::make_unique<ChildProcess>();
    // The daemon prints its address once it listens.
    const QByteArray address = bus->start(daemon,
        { QStringLiteral("--config-file=") + m_config, QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
            QStringLiteral("--print-address") });
    if (!address.startsWith(m_address.toUtf8())) {
        qWarning().noquote() << "the private bus listens elsewhere:" << address;
        return nullptr;
    }
    return bus;
}

std::unique_ptr<ChildProcess> NimbDBusTest::startLogind(const QStringList& replies)
{
    auto logind = std::make_unique<ChildProcess>();
    const QStringList methods { QStringLiteral("CanSuspend"), QStringLiteral("CanHybridSleep"),
        QStringLiteral("CanHibernate") };
    QStringList arguments { m_address, logindName };
    for (int i = 0; i < replies.size(); ++i) {
        if (!replies.at(i).isNull())
            arguments << methods.at(i) + QLatin1Char('=') + replies.at(i);
    }
    // It prints "ready" once it owns the name, so the calls below never race its start.
    if (logind->start(QStringLiteral(FAKE_LOGIN1), arguments) != "ready")
        return nullptr;
    return logind;
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
    const auto bus = startBus();
    QVERIFY(bus);
    const auto logind = startLogind(replies);
    QVERIFY(logind);
    const QList<int> actual { dbus_Logind_CanSuspend(), dbus_Logind_CanHybridSleep(), dbus_Logind_CanHibernate() };
    QCOMPARE(actual, expected);
}

void NimbDBusTest::silentLogindGivesUpAfterTheTimeout()
{
    const auto bus = startBus();
    QVERIFY(bus);
    const auto logind = startLogind(fakeReplies({ "silent", "silent", "silent" }));
    QVERIFY(logind);
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
    QFile::remove(m_socket);
    QVERIFY(!QFile::exists(m_socket));
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
