// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LightDmDaemonDouble.h"

#include <QElapsedTimer>
#include <QTest>

#include <csignal>
#include <sys/types.h>

using Daemon = LightDmDaemonDouble;

namespace
{

const QString smokeGreeter = QStringLiteral(SMOKE_GREETER);

int countOf(const Daemon& daemon, quint32 id)
{
    int count = 0;
    for (const Daemon::Message& message : daemon.messages())
        count += message.id == id;
    return count;
}

// A greeter that writes the given bytes (printf escapes) to the daemon and then waits or ends.
// dash takes no descriptor above 9 after >&, hence the path.
QStringList writingGreeter(const QString& bytes, const QString& then)
{
    return { QStringLiteral("-c"), QStringLiteral("printf '%1' >/dev/fd/$LIGHTDM_TO_SERVER_FD; %2").arg(bytes, then) };
}

} // namespace

// The double against the distribution's own greeter library: if either side put a field where
// the other does not read it, the library's greeter would stall or answer something else.
class LightDmDaemonDoubleTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversationWithTheLibrary_data();
    void conversationWithTheLibrary();
    void brokenGreeterFailsTheWaitAtOnce_data();
    void brokenGreeterFailsTheWaitAtOnce();
};

void LightDmDaemonDoubleTest::conversationWithTheLibrary_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("login succeeds") << int(Daemon::AuthenticationSucceeded) << 0;
    QTest::newRow("password refused") << int(Daemon::AuthenticationFailed) << 1;
}

void LightDmDaemonDoubleTest::conversationWithTheLibrary()
{
    QFETCH(int, result);
    QFETCH(int, exitCode);
    const QString user = QStringLiteral("anna");
    Daemon daemon;
    daemon.setHints({ { QStringLiteral("default-session"), QStringLiteral("xfce") },
        { QStringLiteral("hide-users"), QStringLiteral("true") } });
    QVERIFY2(daemon.start(smokeGreeter, { user, QStringLiteral("secret-pass"), QStringLiteral("plasma") }),
        qPrintable(daemon.lastError()));

    Daemon::Message message;
    QVERIFY2(daemon.waitFor(Daemon::Connect, &message), qPrintable(daemon.lastError()));
    QCOMPARE(message.strings.size(), 1);
    QCOMPARE(message.ints.size(), 2);
    QVERIFY2(daemon.waitFor(Daemon::Authenticate, &message), qPrintable(daemon.lastError()));
    QCOMPARE(message.strings, QStringList { user });
    QCOMPARE(daemon.latestUser(), user);
    const quint32 sequence = daemon.latestSequence();
    QCOMPARE(sequence, message.ints.value(0));

    // The library drops a prompt of an older conversation, so only the second one is answered.
    QVERIFY(daemon.prompt(sequence + 1, user, { { Daemon::SecretPrompt, QStringLiteral("Stale:") } }));
    QVERIFY(daemon.prompt(sequence, user,
        { { Daemon::InfoMessage, QStringLiteral("Welcome") }, { Daemon::SecretPrompt, QStringLiteral("Password:") } }));
    QVERIFY2(daemon.waitFor(Daemon::ContinueAuthentication, &message), qPrintable(daemon.lastError()));
    QCOMPARE(message.ints, QList<quint32> { 1 });
    QCOMPARE(message.strings, QStringList { QStringLiteral("secret-pass") });

    QVERIFY(daemon.endAuthentication(sequence, user, result));
    if (result == Daemon::AuthenticationSucceeded) {
        QVERIFY2(daemon.waitFor(Daemon::StartSession, &message), qPrintable(daemon.lastError()));
        QCOMPARE(message.strings, QStringList { QStringLiteral("plasma") });
        QVERIFY(daemon.sessionResult(0));
    }
    QVERIFY2(daemon.waitForFinished(), qPrintable(daemon.lastError()));
    const QByteArray output = daemon.output();
    QCOMPARE(daemon.exitStatus(), QProcess::NormalExit);
    QVERIFY2(daemon.exitCode() == exitCode,
        qPrintable(QStringLiteral("exit code %1, not %2; output:\n%3")
                       .arg(daemon.exitCode())
                       .arg(exitCode)
                       .arg(QString::fromLocal8Bit(output))));
    QCOMPARE(countOf(daemon, Daemon::ContinueAuthentication), 1);
    QCOMPARE(countOf(daemon, Daemon::StartSession), result == Daemon::AuthenticationSucceeded ? 1 : 0);
    QCOMPARE(daemon.protocolErrors(), QStringList());
    // The hints and the info message arrived where the library reads them.
    QVERIFY2(output.contains("default session hint \"xfce\""), output.constData());
    QVERIFY2(output.contains("message 0 \"Welcome\""), output.constData());
}

void LightDmDaemonDoubleTest::brokenGreeterFailsTheWaitAtOnce_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    const QString sh = QStringLiteral("/bin/sh");
    const QString waitLong = QStringLiteral("exec sleep 60");
    QTest::newRow("killed mid-conversation")
        << smokeGreeter << QStringList { QStringLiteral("anna"), QStringLiteral("pw"), QStringLiteral("plasma") }
        << QStringLiteral("killed by signal %1").arg(SIGKILL);
    QTest::newRow("message over 1 MiB") << sh << writingGreeter(QStringLiteral("\\0\\0\\0\\3\\0\\40\\0\\0"), waitLong)
                                        << QStringLiteral("CONTINUE_AUTHENTICATION with 2097152 bytes");
    QTest::newRow("unknown message") << sh << writingGreeter(QStringLiteral("\\0\\0\\0\\143\\0\\0\\0\\1x"), waitLong)
                                     << QStringLiteral("message 99, which the daemon does not know");
    QTest::newRow("cut off message") << sh
                                     << writingGreeter(
                                            QStringLiteral("\\0\\0\\0\\1\\0\\0\\0\\14abc"), QStringLiteral("exit 0"))
                                     << QStringLiteral("in the middle of a message (11 bytes");
}

void LightDmDaemonDoubleTest::brokenGreeterFailsTheWaitAtOnce()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    Daemon daemon;
    QVERIFY2(daemon.start(program, arguments), qPrintable(daemon.lastError()));
    if (program == smokeGreeter) {
        QVERIFY2(daemon.waitFor(Daemon::Authenticate), qPrintable(daemon.lastError()));
        QCOMPARE(::kill(pid_t(daemon.processId()), SIGKILL), 0);
    }
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!daemon.waitFor(Daemon::ContinueAuthentication, nullptr, 30000));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(daemon.lastError().contains(reason), qPrintable(daemon.lastError()));
}

QTEST_GUILESS_MAIN(LightDmDaemonDoubleTest)
#include "tst_lightdmdouble.moc"
