// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The real vestibule-preview program, driven from outside the way a user drives it: keys
// typed with xdotool into its windows, its JSON lines and exit status read back.
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

const QString preview = QStringLiteral(PREVIEW_PROGRAM);
// Never typed anywhere but into the password field: it must not come out again.
const QString sentinel = QStringLiteral("Sentinel7Xq9Secret");

/// One run of the preview with a private temporary directory, and its output as events.
class PreviewRun
{
public:
    explicit PreviewRun(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), tmp.path());
        process.setProcessEnvironment(environment);
        if (qEnvironmentVariableIsSet("PREVIEW_TEST_DEBUG"))
            process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(preview, arguments);
    }
    ~PreviewRun()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    /// The events printed so far, by name.
    QList<QJsonObject> events()
    {
        output += process.readAllStandardOutput();
        QList<QJsonObject> result;
        for (const QByteArray& line : output.split('\n')) {
            if (line.startsWith('{'))
                result << QJsonDocument::fromJson(line).object();
        }
        return result;
    }
    bool saw(const QString& event, const QString& key = QString(), const QString& value = QString())
    {
        for (const QJsonObject& object : events()) {
            if (object.value(QStringLiteral("event")).toString() == event
                && (key.isEmpty() || object.value(key).toString() == value))
                return true;
        }
        return false;
    }
    /// Types @p keys (xdotool words: "type TEXT", "key Return") into the focused window.
    void send(const QStringList& xdotoolArguments) { QProcess::execute(QStringLiteral("xdotool"), xdotoolArguments); }
    void typeLine(const QString& text)
    {
        send({ QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("15"), text });
        send({ QStringLiteral("key"), QStringLiteral("Return") });
    }
    /// Waits for the preview's window and gives it the keyboard.
    bool focusWindow()
    {
        QProcess search;
        search.start(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--pid"), QString::number(process.processId()), QStringLiteral("--name"),
                QStringLiteral("vestibule-preview") });
        if (!search.waitForFinished(20000))
            return false;
        const QByteArray window = search.readAllStandardOutput().split('\n').first().trimmed();
        if (window.isEmpty())
            return false;
        // The screen settles (focus on its field, the first answers) a moment after it maps.
        QTest::qWait(1500);
        send({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::fromLatin1(window) });
        QTest::qWait(300);
        return true;
    }
    bool finished(int timeout = 15000)
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(timeout);
    }

    QTemporaryDir tmp;
    QProcess process;
    QByteArray output;
};

/// Accounts of one person each, so that person is chosen when the screen opens.
QByteArray onePerson(const QByteArray& account)
{
    return "sessions:\n  - type: xfce\n    name: Xfce Session\ndefault_session: xfce\npreselect: default\n"
           "default_user: kim\naccounts:\n  - login: kim\n    name: Kim Park\n"
        + account;
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void logins_data();
    void logins();
    void secretsNeverLeave();
    void checkTellsGoodFromBrokenThemes();
    void screenshotsOfEveryState();
    void brokenInputEndsWithItsReason_data();
    void brokenInputEndsWithItsReason();
};

void TestPreview::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is missing (scripts/install-dependencies installs it)");
}

void TestPreview::logins_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("lines"); ///< typed in turn, each with Return
    QTest::addColumn<QStringList>("events"); ///< seen in this order among the output

    QTest::newRow("right password") << onePerson("    password: kim\n") << QStringList()
                                    << QStringList { QStringLiteral("kim") }
                                    << QStringList { QStringLiteral("loginRequest"), QStringLiteral("successLogin"),
                                           QStringLiteral("sessionStart") };
    QTest::newRow("wrong, then right") << onePerson("    password: kim\n") << QStringList()
                                       << QStringList { QStringLiteral("nope"), QStringLiteral("!wait"),
                                              QStringLiteral("kim") }
                                       << QStringList { QStringLiteral("loginFailed"), QStringLiteral("loginRequest"),
                                              QStringLiteral("sessionStart") };
    QTest::newRow("expired password") << onePerson("    password: kim\n    expired: true\n") << QStringList()
                                      << QStringList { QStringLiteral("kim"), QStringLiteral("!tab Fresh-Pass1"),
                                             QStringLiteral("Fresh-Pass1") }
                                      << QStringList { QStringLiteral("passwordChangeRequested"),
                                             QStringLiteral("newPasswordInsertionCompleted"),
                                             QStringLiteral("sessionStart") };
    QTest::newRow("extra prompt") << onePerson("    password: kim\n    extra_prompt:\n      text: \"Code:\"\n"
                                               "      answer: \"4711\"\n")
                                  << QStringList() << QStringList { QStringLiteral("kim"), QStringLiteral("4711") }
                                  << QStringList { QStringLiteral("anotherRequestDialog"),
                                         QStringLiteral("sendStringToPam"), QStringLiteral("sessionStart") };
    QTest::newRow("generic conversation")
        << onePerson("    password: kim\n    conversation:\n      - prompt: \"Password:\"\n        expect: kim\n"
                     "      - prompt: \"Code:\"\n        echo: true\n        expect: \"22\"\n")
        << QStringList { QStringLiteral("--plugin"), QStringLiteral("generic-theme") }
        << QStringList { QStringLiteral("kim"), QStringLiteral("kim"), QStringLiteral("22") }
        << QStringList { QStringLiteral("enableGenericMode"), QStringLiteral("requestReceived"),
               QStringLiteral("sendAnswerToPam"), QStringLiteral("sessionStart") };
}

void TestPreview::logins()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, events);

    QTemporaryDir dir;
    PreviewRun run(QStringList { QStringLiteral("--scenario"), TestFiles::writeScenario(dir, scenario) } + arguments);
    QVERIFY(run.focusWindow());
    for (const QString& line : lines) {
        if (line == QLatin1String("!wait")) {
            // The failure pause: the controls come back after two seconds.
            QTRY_VERIFY(run.saw(QStringLiteral("loginFailed")));
            QTest::qWait(2500);
        } else if (line.startsWith(QLatin1String("!tab "))) {
            run.send({ QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("15"), line.mid(5) });
            run.send({ QStringLiteral("key"), QStringLiteral("Tab") });
        } else {
            run.typeLine(line);
            QTest::qWait(600);
        }
    }
    QVERIFY2(run.finished(), run.events().isEmpty() ? "no events" : qPrintable(QString::fromUtf8(run.output)));
    QCOMPARE(run.process.exitCode(), 0);
    const QList<QJsonObject> seen = run.events();
    int next = 0;
    for (const QJsonObject& object : seen) {
        if (next < events.size() && object.value(QStringLiteral("event")).toString() == events.at(next))
            ++next;
    }
    QVERIFY2(next == events.size(), qPrintable(QString::fromUtf8(run.output)));
    QVERIFY(run.saw(QStringLiteral("sessionStart"), QStringLiteral("session"), QStringLiteral("xfce")));
}

void TestPreview::secretsNeverLeave()
{
    QTemporaryDir dir;
    PreviewRun run({ QStringLiteral("--scenario"),
        TestFiles::writeScenario(dir,
            onePerson("    password: kim\n    extra_prompt:\n      text: \"Code:\"\n"
                      "      answer: \"4711\"\n")) });
    QVERIFY(run.focusWindow());
    run.typeLine(sentinel); // a wrong password
    QTRY_VERIFY(run.saw(QStringLiteral("loginFailed")));
    QTest::qWait(2500);
    run.typeLine(QStringLiteral("kim"));
    QTRY_VERIFY(run.saw(QStringLiteral("anotherRequestDialog")));
    QTest::qWait(300);
    run.typeLine(sentinel); // a wrong answer to the extra prompt
    QTRY_VERIFY(run.saw(QStringLiteral("sendStringToPam")));

    // While it runs: its arguments, its environment and every file it has written.
    const QString proc = QStringLiteral("/proc/%1/").arg(run.process.processId());
    QVERIFY(!TestFiles::read(proc + QStringLiteral("cmdline")).contains(sentinel.toUtf8()));
    QVERIFY(!TestFiles::read(proc + QStringLiteral("environ")).contains(sentinel.toUtf8()));
    QDirIterator files(run.tmp.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    int written = 0;
    while (files.hasNext()) {
        const QString file = files.next();
        ++written;
        QVERIFY2(!TestFiles::read(file).contains(sentinel.toUtf8()), qPrintable(file));
    }
    QVERIFY(written > 0);
    run.process.terminate();
    QVERIFY(run.finished());
    run.events();
    QVERIFY(!run.output.contains(sentinel.toUtf8()));
    QVERIFY(!run.process.readAllStandardError().contains(sentinel.toUtf8()));
}

void TestPreview::checkTellsGoodFromBrokenThemes()
{
    for (const QString& theme : { QStringLiteral(MODERN_THEME_DIR), QStringLiteral(MODERN_GENERIC_THEME_DIR) }) {
        QProcess check;
        check.start(preview, { QStringLiteral("--check"), theme });
        QVERIFY(check.waitForFinished(30000));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
    }
    QTemporaryDir broken;
    TestFiles::write(broken.filePath(QStringLiteral("RezGreeterTheme.desktop")),
        "[RezGreeterTheme]\nGreeter=central_widget.ui\nPlugin=standard-theme\nWidgets=\n");
    TestFiles::write(broken.filePath(QStringLiteral("settings.yaml")), "background: [\n");
    QProcess check;
    check.start(preview, { QStringLiteral("--check"), broken.path() });
    QVERIFY(check.waitForFinished(30000));
    QCOMPARE(check.exitCode(), 1);
    const QByteArray problems = check.readAllStandardOutput();
    QVERIFY2(problems.contains("settings.yaml") && problems.contains("central_widget.ui"), problems.constData());
}

void TestPreview::screenshotsOfEveryState()
{
    QTemporaryDir dir;
    QProcess run;
    run.start(preview,
        { QStringLiteral("--geometry"), QStringLiteral("1024x640"), QStringLiteral("--screenshot-all"), dir.path() });
    QVERIFY(run.waitForFinished(240000));
    QCOMPARE(run.exitCode(), 0);
    const char* const states[]
        = { "user-info", "users-grid", "enter-username", "login-failed", "caps-lock", "expired-password",
              "extra-prompt", "auto-login", "token", "domain", "switch-session", "generic-prompt", "generic-error" };
    for (const char* state : states) {
        const QImage image(dir.filePath(QString::fromLatin1(state) + QStringLiteral(".png")));
        QVERIFY2(!image.isNull(), state);
        QCOMPARE(image.size(), QSize(1024, 640));
    }
}

void TestPreview::brokenInputEndsWithItsReason_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::addColumn<bool>("brokenTheme");
    QTest::addColumn<QString>("reason");
    QTest::newRow("yaml syntax") << QByteArray("accounts:\n  - login: kim\n   name: [\n") << false
                                 << "scenario.yaml:3:";
    QTest::newRow("unknown key") << QByteArray("acounts: []\n") << false << "scenario.yaml:1:1: unknown key 'acounts'";
    QTest::newRow("wrong kind") << QByteArray("auto_login:\n  user: kim\n  delay: soon\n") << false
                                << "scenario.yaml:3:10: expected a whole number";
    QTest::newRow("theme without forms") << QByteArray() << true << "common_widget.ui";
}

void TestPreview::brokenInputEndsWithItsReason()
{
    QFETCH(QByteArray, scenario);
    QFETCH(bool, brokenTheme);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QStringList arguments;
    if (!scenario.isEmpty())
        arguments << QStringLiteral("--scenario") << TestFiles::writeScenario(dir, scenario);
    if (brokenTheme) {
        TestFiles::write(dir.filePath(QStringLiteral("RezGreeterTheme.desktop")),
            "[RezGreeterTheme]\nGreeter=central_widget.ui\nPlugin=standard-theme\n");
        arguments << QStringLiteral("--theme") << dir.path();
    }
    QProcess run;
    run.start(preview, arguments);
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 2);
    const QString errors = QString::fromUtf8(run.readAllStandardError());
    QVERIFY2(errors.contains(reason), qPrintable(errors));
}

QTEST_GUILESS_MAIN(TestPreview)
#include "tst_preview.moc"
