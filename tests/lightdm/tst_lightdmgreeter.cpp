// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The real greeter program against the double of the LightDM daemon, on an X server of the
// test's own, driven with xdotool keys as a user at the keyboard would. Each row is a script
// of what the user does, what the daemon sends and what it must receive.
#include "LightDmDaemonDouble.h"
#include "PrivateXServer.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Daemon = LightDmDaemonDouble;

namespace
{

const QString greeterProgram = QStringLiteral(GREETER_PROGRAM);

int styleOf(const QString& name)
{
    if (name == QLatin1String("secret"))
        return Daemon::SecretPrompt;
    if (name == QLatin1String("visible"))
        return Daemon::VisiblePrompt;
    if (name == QLatin1String("error"))
        return Daemon::ErrorMessage;
    return Daemon::InfoMessage;
}

/// Runs xdotool quietly; true when it succeeded.
bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

/// Whether any file below @p dir holds @p secret.
QString fileHolding(const QString& dir, const QByteArray& secret)
{
    QDirIterator files(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(secret))
            return file.fileName();
    }
    return QString();
}

} // namespace

class LightDmGreeterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void conversation_data();
    void conversation();

private:
    bool run(Daemon& daemon, const QString& step);

    std::unique_ptr<PrivateXServer> m_xserver;
};

void LightDmGreeterTest::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    m_xserver = std::make_unique<PrivateXServer>();
    QVERIFY2(m_xserver->isRunning(), "no X server of our own");
}

void LightDmGreeterTest::cleanupTestCase()
{
    m_xserver.reset();
}

/**
 * One step of a script: "type TEXT", "key NAMES", "wait MS", "silent MS" (no login starts);
 * "expect authenticate USER",
 * "expect answer TEXT", "expect cancel", "expect session KEY [refused]" (then the session
 * starts, or the daemon refuses it);
 * "prompt STYLE TEXT[|STYLE TEXT...]" with the styles secret, visible, info and error;
 * "end ok|fail [USER]". False, with the reason in the test log, when a step fails.
 */
bool LightDmGreeterTest::run(Daemon& daemon, const QString& step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString rest = step.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("type")) {
        xdotool({ QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("15"), rest });
    } else if (verb == QLatin1String("key")) {
        xdotool(QStringList { QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100") }
            + rest.split(QLatin1Char(' ')));
    } else if (verb == QLatin1String("wait")) {
        QTest::qWait(rest.toInt());
    } else if (verb == QLatin1String("silent")) {
        // Nothing may start a login for that long.
        if (daemon.waitFor(Daemon::Authenticate, nullptr, rest.toInt())) {
            qWarning("%s: the greeter started a login", qPrintable(step));
            return false;
        }
    } else if (verb == QLatin1String("prompt")) {
        QList<QPair<int, QString>> messages;
        for (const QString& entry : rest.split(QLatin1Char('|')))
            messages << qMakePair(styleOf(entry.section(QLatin1Char(' '), 0, 0)), entry.section(QLatin1Char(' '), 1));
        return daemon.prompt(daemon.latestSequence(), daemon.latestUser(), messages);
    } else if (verb == QLatin1String("end")) {
        const QString user = rest.section(QLatin1Char(' '), 1);
        return daemon.endAuthentication(daemon.latestSequence(), user.isEmpty() ? daemon.latestUser() : user,
            rest.startsWith(QLatin1String("ok")) ? Daemon::AuthenticationSucceeded : Daemon::AuthenticationFailed);
    } else if (verb == QLatin1String("expect")) {
        const QString what = rest.section(QLatin1Char(' '), 0, 0);
        const QString value = rest.section(QLatin1Char(' '), 1);
        const quint32 id = what == QLatin1String("authenticate") ? Daemon::Authenticate
            : what == QLatin1String("answer")                    ? Daemon::ContinueAuthentication
            : what == QLatin1String("cancel")                    ? Daemon::CancelAuthentication
                                                                 : Daemon::StartSession;
        Daemon::Message message;
        if (!daemon.waitFor(id, &message)) {
            qWarning("%s: %s", qPrintable(step), qPrintable(daemon.lastError()));
            return false;
        }
        const QString got = message.strings.value(0);
        const bool refuse = value.endsWith(QLatin1String(" refused"));
        if (id != Daemon::CancelAuthentication && got != value.section(QLatin1Char(' '), 0, 0)) {
            qWarning("%s: got '%s'", qPrintable(step), qPrintable(got.left(80)));
            return false;
        }
        if (id == Daemon::StartSession)
            return daemon.sessionResult(refuse ? 1 : 0);
    }
    return true;
}

void LightDmGreeterTest::conversation_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("hints"); ///< name=value
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("secret"); ///< must reach nothing but the daemon's pipe

    const QStringList hidden { QStringLiteral("hide-users=true"), QStringLiteral("default-session=plasma") };
    const auto logIn = [](const QString& password) {
        return QStringList { QStringLiteral("type kim"), QStringLiteral("key Tab"), QStringLiteral("type ") + password,
            QStringLiteral("key Return"), QStringLiteral("expect authenticate kim"),
            QStringLiteral("prompt secret Password: ") };
    };
    const QString longPassword(1100, QLatin1Char('x'));

    // A theme that cannot be shown gives way to the default theme.
    QTest::newRow("login, theme falls back")
        << QStringList { QStringLiteral("--theme"), QStringLiteral("/nonexistent/theme") } << hidden
        << logIn(QStringLiteral("Secret-Pass1"))
            + QStringList { QStringLiteral("expect answer Secret-Pass1"), QStringLiteral("end ok"),
                  QStringLiteral("expect session plasma") }
        << QStringLiteral("Secret-Pass1");
    // A failed login leaves the screen up for the next try, which starts a new conversation.
    QTest::newRow("failure, then again") << QStringList() << hidden
                                         << logIn(QStringLiteral("Wrong-Pass1"))
            + QStringList { QStringLiteral("expect answer Wrong-Pass1"), QStringLiteral("end fail"),
                  QStringLiteral("wait 2600"), QStringLiteral("type Right-Pass2"), QStringLiteral("key Return"),
                  QStringLiteral("expect authenticate kim"), QStringLiteral("prompt secret Password: "),
                  QStringLiteral("expect answer Right-Pass2"), QStringLiteral("end ok"),
                  QStringLiteral("expect session plasma") }
                                         << QStringLiteral("Right-Pass2");
    // A greeter that ended here would leave LightDM waiting for ever: it stays for another try.
    QTest::newRow("session refused, then again") << QStringList() << hidden
                                                 << logIn(QStringLiteral("Secret-Pass1"))
            + QStringList { QStringLiteral("expect answer Secret-Pass1"), QStringLiteral("end ok"),
                  QStringLiteral("expect session plasma refused"), QStringLiteral("wait 800"),
                  QStringLiteral("key Return"), QStringLiteral("wait 2600"), QStringLiteral("type Secret-Pass1"),
                  QStringLiteral("key Return"), QStringLiteral("expect authenticate kim"),
                  QStringLiteral("prompt secret Password: "), QStringLiteral("expect answer Secret-Pass1"),
                  QStringLiteral("end ok"), QStringLiteral("expect session plasma") }
                                                 << QStringLiteral("Secret-Pass1");
    QTest::newRow("expired password") << QStringList() << hidden
                                      << logIn(QStringLiteral("Old-Pass1"))
            + QStringList { QStringLiteral("expect answer Old-Pass1"),
                  QStringLiteral("prompt info You are required to change your password immediately|secret New "
                                 "password: "),
                  QStringLiteral("wait 800"), QStringLiteral("key Return"), QStringLiteral("wait 800"),
                  QStringLiteral("type Fresh-Pass2"), QStringLiteral("key Tab"), QStringLiteral("type Fresh-Pass2"),
                  QStringLiteral("key Return"), QStringLiteral("expect answer Fresh-Pass2"),
                  QStringLiteral("prompt secret Retype new password: "), QStringLiteral("expect answer Fresh-Pass2"),
                  QStringLiteral("end ok"), QStringLiteral("expect session plasma") }
                                      << QStringLiteral("Fresh-Pass2");
    QTest::newRow("one-time code") << QStringList() << hidden
                                   << logIn(QStringLiteral("Secret-Pass1"))
            + QStringList { QStringLiteral("expect answer Secret-Pass1"),
                  QStringLiteral("prompt visible Verification code: "), QStringLiteral("wait 800"),
                  QStringLiteral("type 123456"), QStringLiteral("key Return"), QStringLiteral("expect answer 123456"),
                  QStringLiteral("end ok"), QStringLiteral("expect session plasma") }
                                   << QStringLiteral("Secret-Pass1");
    // LightDM's library cannot carry it: refused and cancelled, and the next login works.
    QTest::newRow("answer too long") << QStringList() << hidden
                                     << logIn(longPassword)
            + QStringList { QStringLiteral("expect cancel"), QStringLiteral("wait 800"), QStringLiteral("key Return"),
                  QStringLiteral("wait 2600"), QStringLiteral("type Secret-Pass1"), QStringLiteral("key Return"),
                  QStringLiteral("expect authenticate kim"), QStringLiteral("prompt secret Password: "),
                  QStringLiteral("expect answer Secret-Pass1"), QStringLiteral("end ok"),
                  QStringLiteral("expect session plasma") }
                                     << QStringLiteral("Secret-Pass1");
    QTest::newRow("generic conversation")
        << QStringList { QStringLiteral("--plugin"), QStringLiteral("generic-theme") } << hidden
        << QStringList { QStringLiteral("expect authenticate "), QStringLiteral("prompt visible login:"),
               QStringLiteral("wait 800"), QStringLiteral("type kim"), QStringLiteral("key Return"),
               QStringLiteral("expect answer kim"), QStringLiteral("end fail kim"),
               // After its pause the theme starts a fresh conversation.
               QStringLiteral("expect authenticate "), QStringLiteral("prompt visible login:"),
               QStringLiteral("wait 800"), QStringLiteral("type kim"), QStringLiteral("key Return"),
               QStringLiteral("expect answer kim"), QStringLiteral("prompt info Welcome back|secret Password:"),
               QStringLiteral("wait 500"), QStringLiteral("type Secret-Pass1"), QStringLiteral("key Return"),
               QStringLiteral("expect answer Secret-Pass1"), QStringLiteral("end ok kim"),
               QStringLiteral("expect session plasma") }
        << QStringLiteral("Secret-Pass1");
    // The theme's countdown runs, then the daemon's auto-login session is asked for.
    QTest::newRow("auto-login after the countdown")
        << QStringList()
        << QStringList { QStringLiteral("autologin-user=kim"), QStringLiteral("autologin-timeout=2"),
               QStringLiteral("autologin-session=xfce"), QStringLiteral("default-session=plasma") }
        << QStringList { QStringLiteral("expect authenticate kim"), QStringLiteral("end ok"),
               QStringLiteral("expect session xfce") }
        << QString();
    // Cancelling the countdown stops LightDM's own timer too.
    QTest::newRow("auto-login cancelled")
        << QStringList()
        << QStringList { QStringLiteral("autologin-user=kim"), QStringLiteral("autologin-timeout=2"),
               QStringLiteral("hide-users=true") }
        << QStringList { QStringLiteral("key Escape"), QStringLiteral("silent 4000") } << QString();
}

void LightDmGreeterTest::conversation()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, hints);
    QFETCH(QStringList, script);
    QFETCH(QString, secret);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    // No bus of the machine's: the greeter must get by without logind and AccountsService.
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    QList<QPair<QString, QString>> hintPairs;
    for (const QString& hint : qAsConst(hints))
        hintPairs << qMakePair(hint.section(QLatin1Char('='), 0, 0), hint.section(QLatin1Char('='), 1));

    Daemon daemon;
    daemon.setHints(hintPairs);
    QVERIFY2(daemon.start(greeterProgram, arguments, environment), qPrintable(daemon.lastError()));
    QVERIFY2(daemon.waitFor(Daemon::Connect), qPrintable(daemon.lastError()));
    // The screen takes the keyboard once it shows.
    QVERIFY(QTest::qWaitFor(
        [] {
            return xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                QStringLiteral("vestibule-lightdm-greeter") });
        },
        15000));
    QTest::qWait(1000);

    for (const QString& step : qAsConst(script))
        QVERIFY2(run(daemon, step), qPrintable(step + QStringLiteral("\n") + QString::fromUtf8(daemon.output())));

    // It never ends on its own, and ends cleanly when the daemon ends it.
    QVERIFY2(daemon.isRunning(), daemon.output().constData());
    daemon.stop();
    QCOMPARE(daemon.exitStatus(), QProcess::NormalExit);
    QCOMPARE(daemon.exitCode(), 0);
    if (arguments.contains(QStringLiteral("/nonexistent/theme")))
        QVERIFY2(daemon.output().contains("/nonexistent/theme cannot be shown"), daemon.output().constData());
    if (!secret.isEmpty()) {
        QVERIFY(daemon.rawFromGreeter().contains(secret.toUtf8()));
        QVERIFY2(!daemon.output().contains(secret.toUtf8()), daemon.output().constData());
        const QString leak = fileHolding(home.path(), secret.toUtf8());
        QVERIFY2(leak.isEmpty(), qPrintable(leak));
    }
}

QTEST_GUILESS_MAIN(LightDmGreeterTest)
#include "tst_lightdmgreeter.moc"
