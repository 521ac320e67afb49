// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The real vestibule-preview as a blind or keyboard-only user meets it: read through AT-SPI
// by pyatspi, the way a screen reader reads it, and driven by xdotool keys alone. Each
// session has an X server, a session bus and an accessibility bus of its own.
#include "AccessibilityBus.h"
#include "PrivateXServer.h"
#include "TestFiles.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

const QString preview = QStringLiteral(PREVIEW_PROGRAM);
const QString probe = QStringLiteral(ATSPI_PROBE);
const QString applicationName = QStringLiteral("vestibule-preview");

QList<QJsonObject> jsonLines(const QByteArray& text)
{
    QList<QJsonObject> result;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith('{'))
            result << QJsonDocument::fromJson(line).object();
    }
    return result;
}

/// "role 'name'", the way the checks below and the failure messages name an object.
QString spoken(const QJsonObject& object)
{
    return QStringLiteral("%1 '%2'").arg(
        object.value(QStringLiteral("role")).toString(), object.value(QStringLiteral("name")).toString());
}

bool has(const QJsonObject& object, const char* state)
{
    return object.value(QStringLiteral("states")).toArray().contains(QJsonValue(QLatin1String(state)));
}

/// One preview on the private accessibility stack, read by the probe and driven by xdotool.
class ScreenReaderSession
{
public:
    explicit ScreenReaderSession(const QStringList& arguments)
        : m_arguments(arguments)
    {
    }
    ~ScreenReaderSession()
    {
        stopListening();
        if (m_preview.state() != QProcess::NotRunning) {
            m_preview.kill();
            m_preview.waitForFinished(5000);
        }
    }

    /// The stack, the preview with its window focused, and the preview on the registry; then
    /// @p keys are pressed to reach a page.
    bool start(QString* error, const QStringList& keys = {})
    {
        if (!m_bus.startSessionBus() || !startPreview() || !m_bus.startRegistry()) {
            *error = m_bus.errorString().isEmpty() ? m_error : m_bus.errorString();
            return false;
        }
        // The bridge connects once the bus is there and then registers the program.
        for (int i = 0; i < 100; ++i) {
            if (!tree().isEmpty()) {
                if (!keys.isEmpty())
                    this->keys(keys);
                return true;
            }
            QTest::qWait(100);
        }
        *error = QStringLiteral("the preview never appeared on the accessibility bus:\n")
            + QString::fromUtf8(m_preview.readAllStandardError());
        return false;
    }

    QList<QJsonObject> tree() { return jsonLines(runProbe({ QStringLiteral("tree"), applicationName })); }
    QJsonObject focused()
    {
        const QList<QJsonObject> found = jsonLines(runProbe({ QStringLiteral("focused"), applicationName }));
        return found.isEmpty() ? QJsonObject() : found.first();
    }
    /// The object of the tree that @p role and @p name describe, or an empty one.
    QJsonObject find(const QString& role, const QString& name)
    {
        for (const QJsonObject& object : tree()) {
            if (object.value(QStringLiteral("role")).toString() == role
                && object.value(QStringLiteral("name")).toString() == name)
                return object;
        }
        return QJsonObject();
    }

    /// xdotool key names, pressed one after another into the preview's window.
    void keys(const QStringList& names)
    {
        QProcess::execute(QStringLiteral("xdotool"),
            QStringList { QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("120") } + names);
        QTest::qWait(350);
    }
    void type(const QString& text)
    {
        QProcess::execute(QStringLiteral("xdotool"),
            { QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("25"), text });
    }

    /**
     * One step of a keyboard-only run: "key NAMES", "type TEXT", "wait MS", "focused NAME"
     * (true once the focused object has that name), "described TEXT" (its description),
     * "down to NAME" (Down until NAME has the focus). False when a check never held.
     */
    bool run(const QString& step)
    {
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        const QString rest = step.section(QLatin1Char(' '), 1);
        if (verb == QLatin1String("key")) {
            keys(rest.split(QLatin1Char(' ')));
        } else if (verb == QLatin1String("type")) {
            type(rest);
        } else if (verb == QLatin1String("wait")) {
            QTest::qWait(rest.toInt());
        } else if (verb == QLatin1String("focused") || verb == QLatin1String("described")) {
            const QString key
                = verb == QLatin1String("focused") ? QStringLiteral("name") : QStringLiteral("description");
            for (int i = 0; i < 20; ++i) {
                if (focused().value(key).toString() == rest)
                    return true;
                QTest::qWait(150);
            }
            return false;
        } else if (step.startsWith(QLatin1String("down to "))) {
            for (int i = 0; i < 12; ++i) {
                if (focused().value(QStringLiteral("name")).toString() == step.mid(8))
                    return true;
                keys({ QStringLiteral("Down") });
            }
            return false;
        }
        return true;
    }

    /// Starts collecting what a screen reader would be told during @p seconds.
    bool startListening(int seconds)
    {
        m_listener.setProcessEnvironment(m_bus.probeEnvironment());
        m_listener.start(QStringLiteral("/usr/bin/python3"),
            { probe, QStringLiteral("events"), applicationName, QString::number(seconds) });
        return m_listener.waitForReadyRead(15000) && m_listener.readLine().contains("listening");
    }
    /// Everything heard until the listening time ended.
    QList<QJsonObject> heard()
    {
        m_listener.waitForFinished(60000);
        return jsonLines(m_listener.readAllStandardOutput());
    }

    /// The preview's own report lines (requests and answers) seen so far.
    bool saw(const QString& event, const QString& key = QString(), const QString& value = QString())
    {
        m_output += m_preview.readAllStandardOutput();
        for (const QJsonObject& object : jsonLines(m_output)) {
            if (object.value(QStringLiteral("event")).toString() == event
                && (key.isEmpty() || object.value(key).toVariant().toString() == value))
                return true;
        }
        return false;
    }
    QByteArray output()
    {
        m_output += m_preview.readAllStandardOutput();
        return m_output;
    }
    QByteArray errors()
    {
        m_errors += m_preview.readAllStandardError();
        return m_errors;
    }
    /// PATH of the preview, set before start().
    void setPath(const QString& path) { m_path = path; }

private:
    bool startPreview()
    {
        QProcessEnvironment environment = m_bus.applicationEnvironment();
        if (!m_path.isEmpty())
            environment.insert(QStringLiteral("PATH"), m_path);
        m_preview.setProcessEnvironment(environment);
        m_preview.start(preview, m_arguments);
        QProcess search;
        search.start(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--pid"), QString::number(m_preview.processId()), QStringLiteral("--name"),
                applicationName });
        if (!search.waitForFinished(30000) || search.readAllStandardOutput().trimmed().isEmpty()) {
            m_error = QStringLiteral("the preview's window never showed:\n")
                + QString::fromUtf8(m_preview.readAllStandardError());
            return false;
        }
        // The screen settles (focus on its field, the first answers) a moment after it maps;
        // the keyboard goes to its newest window, a dialog that opened with it if there is one.
        QTest::qWait(1000);
        search.start(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(m_preview.processId()), QStringLiteral(".*") });
        search.waitForFinished(10000);
        const QByteArray window = search.readAllStandardOutput().trimmed().split('\n').last();
        QProcess::execute(QStringLiteral("xdotool"),
            { QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::fromLatin1(window) });
        return true;
    }
    QByteArray runProbe(const QStringList& arguments)
    {
        QProcess run;
        run.setProcessEnvironment(m_bus.probeEnvironment());
        run.start(QStringLiteral("/usr/bin/python3"), QStringList { probe } + arguments);
        if (!run.waitForFinished(60000))
            run.kill();
        return run.readAllStandardOutput();
    }
    void stopListening()
    {
        if (m_listener.state() != QProcess::NotRunning) {
            m_listener.kill();
            m_listener.waitForFinished(5000);
        }
    }

    QStringList m_arguments;
    AccessibilityBus m_bus;
    QProcess m_preview;
    QProcess m_listener;
    QByteArray m_output;
    QByteArray m_errors;
    QString m_error;
    QString m_path;
};

/// The preview's @p arguments, with @p scenario (none: the built-in demo) written into @p dir.
QStringList withScenario(const QTemporaryDir& dir, const QByteArray& scenario, QStringList arguments)
{
    if (!scenario.isEmpty())
        arguments << QStringLiteral("--scenario") << TestFiles::writeScenario(dir, scenario);
    return arguments;
}

/// Accounts of one person each, so that person is chosen when the screen opens.
QByteArray onePerson(const QByteArray& account)
{
    return "sessions:\n  - type: xfce\n    name: Xfce Session\n  - type: plasma\n    name: Plasma\n"
           "default_session: xfce\npreselect: default\ndefault_user: kim\naccounts:\n  - login: kim\n    password: "
           "kim\n"
        + account;
}

/// Test steps written as plain text.
QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList result;
    for (const char* text : texts)
        result << QString::fromUtf8(text);
    return result;
}

/**
 * @p count people u01, u02, ... (each password is the login), the first chosen at the start;
 * @p named gives them full names, "Person 01", ...
 */
QByteArray crowd(int count, bool named = false)
{
    QByteArray text = "sessions:\n  - type: xfce\n    name: Xfce Session\ndefault_session: xfce\n"
                      "preselect: default\ndefault_user: u01\naccounts:\n";
    for (int i = 1; i <= count; ++i) {
        const QByteArray login = QByteArray("u") + QByteArray::number(i).rightJustified(2, '0');
        text += "  - login: " + login + "\n    password: " + login + "\n";
        if (named)
            text += "    name: Person " + login.mid(1) + "\n";
    }
    return text;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyControlHasANameAndRole_data();
    void everyControlHasANameAndRole();
    void tabChainHasNoTrap_data();
    void tabChainHasNoTrap();
    void messagesAreSpokenOnce_data();
    void messagesAreSpokenOnce();
    void keyboardAlone_data();
    void keyboardAlone();
    void screenReaderStartsOnSuperAltS();

private:
    std::unique_ptr<PrivateXServer> m_xserver;
};

void TestAccessibility::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is missing (scripts/install-dependencies installs it)");
    if (const QString missing = AccessibilityBus::missingTools(); !missing.isEmpty())
        QSKIP(qPrintable(missing + QStringLiteral(" is missing (scripts/install-dependencies installs it)")));
    m_xserver = std::make_unique<PrivateXServer>();
    QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "no X server");
}

void TestAccessibility::everyControlHasANameAndRole_data()
{
    QTest::addColumn<QByteArray>("scenario"); ///< empty: the built-in demo
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("keys"); ///< pressed to reach the page
    QTest::addColumn<QStringList>("expected"); ///< "role|name" that must be there

    // clang-format off
    QTest::newRow("user page") << QByteArray() << QStringList() << QStringList()
        << strings({ "password text|Password", "push button|Log in", "push button|Session type",
               "push button|Keyboard layout", "push button|Shut down", "push button|Actions",
               "push button|Other users", "image|User picture", "label|Emma Novak" });
    QTest::newRow("enter-username page") << QByteArray() << QStringList() << strings({ "alt+u" })
        << strings({ "text|User name", "password text|Password", "push button|Log in" });
    QTest::newRow("short list") << crowd(3, true) << QStringList() << QStringList()
        << strings({ "table cell|Person 01", "table cell|Person 02", "table cell|Person 03" });
    QTest::newRow("users grid") << crowd(14) << QStringList() << strings({ "Tab", "Tab", "space" })
        << strings({ "text|Filter", "table cell|u01", "table cell|u12", "table cell|Page 1 of 2",
               "table cell|Page 2 of 2" });
    // Opened, Plasma chosen, opened again.
    QTest::newRow("session menu") << onePerson(QByteArray()) << QStringList() << strings({ "alt+y", "Return", "alt+y" })
        << strings({ "popup menu|Session type", "menu item|Plasma|checked", "menu item|Xfce Session" });
    QTest::newRow("generic theme") << QByteArray() << strings({ "--plugin", "generic-theme" }) << QStringList()
        << strings({ "text|login:", "push button|Log in" });
    // clang-format on
}

void TestAccessibility::everyControlHasANameAndRole()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    ScreenReaderSession session(withScenario(dir, scenario, arguments));
    QString error;
    QVERIFY2(session.start(&error, keys), qPrintable(error));
    const QList<QJsonObject> tree = session.tree();
    QStringList listed;
    for (const QJsonObject& object : tree) {
        listed << QString(object.value(QStringLiteral("depth")).toInt() * 2, QLatin1Char(' ')) + spoken(object)
                + QStringLiteral(" [%1]").arg(
                    object.value(QStringLiteral("states")).toVariant().toStringList().join(QLatin1Char(',')));
    }
    if (qEnvironmentVariableIsSet("VESTIBULE_A11Y_REPORT")) {
        QStringList described = listed;
        for (int i = 0; i < tree.size(); ++i) {
            if (const QString text = tree.at(i).value(QStringLiteral("description")).toString(); !text.isEmpty())
                described[i] += QStringLiteral(" \u2014 ") + text;
        }
        qInfo().noquote() << QTest::currentDataTag() << "\n" << described.join(QLatin1Char('\n'));
    }
    // A control a user can reach must say what it is.
    for (const QJsonObject& object : tree) {
        if (has(object, "focusable"))
            QVERIFY2(!object.value(QStringLiteral("name")).toString().isEmpty(), qPrintable(spoken(object)));
    }
    for (const QString& entry : expected) {
        // A state, when given, must be among the object's states.
        if (!entry.section(QLatin1Char('|'), 2).isEmpty()) {
            const QJsonObject object
                = session.find(entry.section(QLatin1Char('|'), 0, 0), entry.section(QLatin1Char('|'), 1, 1));
            QVERIFY2(has(object, qPrintable(entry.section(QLatin1Char('|'), 2))), qPrintable(entry));
            continue;
        }
        QVERIFY2(listed.join(QLatin1Char('\n'))
                     .contains(QStringLiteral("%1 '%2'").arg(
                         entry.section(QLatin1Char('|'), 0, 0), entry.section(QLatin1Char('|'), 1, 1))),
            qPrintable(entry + QStringLiteral(" not in\n") + listed.join(QLatin1Char('\n'))));
    }
}

void TestAccessibility::tabChainHasNoTrap_data()
{
    QTest::addColumn<QByteArray>("scenario"); ///< empty: the built-in demo
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("keys"); ///< pressed to reach the page

    QTest::newRow("user page") << QByteArray() << QStringList() << QStringList();
    QTest::newRow("enter-username page") << QByteArray() << QStringList() << QStringList { QStringLiteral("alt+u") };
    QTest::newRow("short list") << crowd(3) << QStringList() << QStringList();
    QTest::newRow("users grid") << crowd(
        14) << QStringList() << QStringList { QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("space") };
    QTest::newRow("generic theme") << QByteArray()
                                   << QStringList { QStringLiteral("--plugin"), QStringLiteral("generic-theme") }
                                   << QStringList();
}

void TestAccessibility::tabChainHasNoTrap()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, keys);

    QTemporaryDir dir;
    ScreenReaderSession session(withScenario(dir, scenario, arguments));
    QString error;
    QVERIFY2(session.start(&error, keys), qPrintable(error));
    const QString first = spoken(session.focused());
    // What a screen reader follows: each object that gains the focus, in turn.
    const int stops = 14;
    QVERIFY(session.startListening(stops * 3 / 4 + 4));
    for (int stop = 0; stop < stops; ++stop)
        session.keys({ QStringLiteral("Tab") });
    QStringList chain;
    for (const QJsonObject& event : session.heard()) {
        if (event.value(QStringLiteral("event")).toString() != QLatin1String("object:state-changed:focused")
            || event.value(QStringLiteral("detail1")).toInt() != 1 || spoken(event) == chain.value(chain.size() - 1))
            continue;
        // The focus is always on something a user can see and that says what it is.
        QVERIFY2(has(event, "showing") && !event.value(QStringLiteral("name")).toString().isEmpty(),
            qPrintable(chain.join(QStringLiteral(" -> ")) + QStringLiteral(" -> ") + spoken(event)));
        chain << spoken(event);
        if (chain.indexOf(chain.last()) < chain.size() - 1 || chain.last() == first)
            break;
    }
    if (qEnvironmentVariableIsSet("VESTIBULE_A11Y_REPORT"))
        qInfo().noquote() << QTest::currentDataTag() << ":" << first << "->" << chain.join(QStringLiteral(" -> "));
    // Round and back to a stop seen before, through more than two controls: no trap.
    QVERIFY2(!chain.isEmpty(), "Tab moved the focus nowhere");
    const int again = chain.last() == first ? -1 : int(chain.indexOf(chain.last()));
    QVERIFY2(
        again < chain.size() - 1, qPrintable(QStringLiteral("no way back: ") + chain.join(QStringLiteral(" -> "))));
    QVERIFY2(chain.size() - 1 - again > 2, qPrintable(chain.join(QStringLiteral(" -> "))));
}

void TestAccessibility::messagesAreSpokenOnce_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("input"); ///< "type TEXT" or "key NAME ..."
    QTest::addColumn<QString>("message"); ///< what the screen reader is told, once

    QTest::addColumn<QString>("role");

    const QByteArray kim = onePerson(QByteArray());
    QTest::newRow("login failed") << kim << QStringList()
                                  << QStringList { QStringLiteral("type nope"), QStringLiteral("key Return") }
                                  << QStringLiteral("Login failed. Check the user name and password.")
                                  << QStringLiteral("alert");
    QTest::newRow("caps lock") << kim << QStringList()
                               << QStringList { QStringLiteral("key Caps_Lock"), QStringLiteral("wait 1500"),
                                      QStringLiteral("key Caps_Lock") }
                               << QStringLiteral("Caps Lock is on") << QStringLiteral("alert");
    // It opens with the screen, before anything listens: its ticks must stay silent.
    QTest::newRow("auto-login countdown")
        << QByteArray(kim + "auto_login:\n  user: kim\n  delay: 30\n") << QStringList()
        << QStringList { QStringLiteral("wait 3500") }
        << QStringLiteral("The user kim will be automatically logged in after 30 seconds") << QStringLiteral("alert");
    QTest::newRow("password dialog error")
        << onePerson("    expired: true\n") << QStringList()
        << QStringList { QStringLiteral("type kim"), QStringLiteral("key Return"), QStringLiteral("wait 800"),
               QStringLiteral("type Fresh-Pass1"), QStringLiteral("key Tab"), QStringLiteral("type Other-Pass2"),
               QStringLiteral("key Return") }
        << QStringLiteral("New passwords not match") << QStringLiteral("alert");
    QTest::newRow("generic message") << onePerson(
        "    conversation:\n      - message: \"Your password expires in 3 days.\"\n"
        "      - prompt: \"Password:\"\n        expect: kim\n")
                                     << QStringList { QStringLiteral("--plugin"), QStringLiteral("generic-theme") }
                                     << QStringList { QStringLiteral("type kim"), QStringLiteral("key Return") }
                                     << QStringLiteral("Your password expires in 3 days.") << QStringLiteral("alert");
    QTest::newRow("generic prompt") << onePerson(
        "    conversation:\n      - prompt: \"Verification code:\"\n        expect: \"22\"\n")
                                    << QStringList { QStringLiteral("--plugin"), QStringLiteral("generic-theme") }
                                    << QStringList { QStringLiteral("type kim"), QStringLiteral("key Return") }
                                    << QStringLiteral("Verification code:") << QStringLiteral("password text");
}

void TestAccessibility::messagesAreSpokenOnce()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, input);
    QFETCH(QString, message);
    QFETCH(QString, role);

    QTemporaryDir dir;
    ScreenReaderSession session(
        QStringList { QStringLiteral("--scenario"), TestFiles::writeScenario(dir, scenario) } + arguments);
    QString error;
    QVERIFY2(session.start(&error), qPrintable(error));
    QVERIFY(session.startListening(6));
    for (const QString& step : input)
        session.run(step);
    // A message comes into view (an alert that shows) or names the field that has the focus.
    int times = 0;
    QStringList heard;
    for (const QJsonObject& event : session.heard()) {
        heard << event.value(QStringLiteral("event")).toString() + QLatin1Char(' ') + spoken(event);
        const bool shown
            = event.value(QStringLiteral("event")).toString() == QLatin1String("object:state-changed:showing")
            && event.value(QStringLiteral("detail1")).toInt() == 1;
        const bool named
            = event.value(QStringLiteral("event")).toString() == QLatin1String("object:property-change:accessible-name")
            && has(event, "focused");
        if ((shown || named) && event.value(QStringLiteral("name")).toString() == message
            && event.value(QStringLiteral("role")).toString() == role)
            ++times;
    }
    const bool countdown = QByteArray(QTest::currentDataTag()).startsWith("auto-login");
    if (countdown) {
        QVERIFY2(!heard.join(QLatin1Char('\n')).contains(QStringLiteral("automatically")),
            qPrintable(heard.join(QLatin1Char('\n'))));
        QVERIFY(!session.find(role, message).isEmpty());
    } else {
        QVERIFY2(
            times == 1, qPrintable(QStringLiteral("heard %1 times:\n").arg(times) + heard.join(QLatin1Char('\n'))));
    }
}

void TestAccessibility::keyboardAlone_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("steps"); ///< see ScreenReaderSession::run
    QTest::addColumn<QStringList>("outcome"); ///< "EVENT KEY=VALUE" lines of the preview, in order

    const QByteArray kim = onePerson(QByteArray());
    // clang-format off
    // A person is named by the full name; the login and the machine follow as the description.
    QTest::newRow("short list: arrows and Enter")
        << crowd(3, true) << QStringList()
        << (strings({ "key Tab Tab", "focused Person 01" })
            << QStringLiteral("described u01 on ") + QSysInfo::machineHostName()
            << strings({ "key Right Return", "focused Password", "type u02", "key Return" }))
        << strings({ "loginRequest user=u02", "sessionStart user=u02" });
    QTest::newRow("grid: page keys, Enter")
        << crowd(14) << QStringList()
        << strings({ "key Tab Tab space", "focused u01", "key Next", "focused u13", "key Right Return",
               "focused Password", "type u14", "key Return" })
        << strings({ "loginRequest user=u14", "sessionStart user=u14" });
    QTest::newRow("grid: left with Escape")
        << crowd(14) << QStringList()
        << strings({ "key Tab Tab space", "focused u01", "key Escape", "focused Password", "type u01", "key Return" })
        << strings({ "sessionStart user=u01" });
    QTest::newRow("typed user name")
        << kim << QStringList()
        << strings({ "key alt+u", "focused User name", "type kim", "key Return", "focused Password", "type kim",
               "key Return" })
        << strings({ "loginRequest user=kim", "sessionStart user=kim" });
    QTest::newRow("session menu")
        << kim << QStringList()
        << strings({ "key alt+y", "focused Plasma", "key Return", "described Chosen: Plasma", "key Tab Tab Tab",
               "focused Password", "type kim", "key Return" })
        << strings({ "sessionStart session=plasma" });
    QTest::newRow("layout button")
        << QByteArray(kim + "keyboard_layouts: [us, ru]\n") << strings({ "--set-layouts" })
        << strings({ "key shift+Tab shift+Tab", "focused Keyboard layout", "key space",
               "described Current layout: RU", "key space", "described Current layout: EN" })
        << QStringList();
    QTest::newRow("power menu")
        << QByteArray(kim + "shutdown_allowed: true\n") << QStringList()
        << strings({ "key alt+o", "down to Shutdown", "key Return" })
        << strings({ "shutdownRequest action=poweroff" });
    QTest::newRow("message box")
        << onePerson("    locked: \"This account is locked.\"\n") << QStringList()
        << strings({ "type kim", "key Return", "focused OK", "key Return", "focused Password" })
        << strings({ "pamErrorReceived message=This account is locked." });
    QTest::newRow("auto-login dialog")
        << QByteArray(kim + "auto_login:\n  user: kim\n  delay: 30\n") << QStringList()
        << strings({ "focused Cancel", "key Escape", "focused Password", "type kim", "key Return" })
        << strings({ "sessionStart user=kim" });
    // clang-format on
}

void TestAccessibility::keyboardAlone()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, outcome);

    QTemporaryDir dir;
    ScreenReaderSession session(
        QStringList { QStringLiteral("--scenario"), TestFiles::writeScenario(dir, scenario) } + arguments);
    QString error;
    QVERIFY2(session.start(&error), qPrintable(error));
    for (const QString& step : steps) {
        if (!session.run(step)) {
            QStringList shown;
            for (const QJsonObject& object : session.tree())
                shown << spoken(object) + QLatin1Char(' ')
                        + object.value(QStringLiteral("states")).toVariant().toStringList().join(QLatin1Char(','));
            QFAIL(qPrintable(step + QStringLiteral(" failed; focused: ") + spoken(session.focused())
                + QStringLiteral("\n") + shown.join(QLatin1Char('\n')) + QStringLiteral("\n")
                + QString::fromUtf8(session.output())));
        }
    }
    for (const QString& line : outcome) {
        const QString event = line.section(QLatin1Char(' '), 0, 0);
        const QString field = line.section(QLatin1Char(' '), 1);
        QTRY_VERIFY2_WITH_TIMEOUT(
            session.saw(event, field.section(QLatin1Char('='), 0, 0), field.section(QLatin1Char('='), 1)),
            qPrintable(line + QStringLiteral(" not in\n") + QString::fromUtf8(session.output())), 10000);
    }
}

void TestAccessibility::screenReaderStartsOnSuperAltS()
{
    // A stand-in reader that leaves a mark when it runs.
    QTemporaryDir bin;
    QVERIFY(TestFiles::writeScript(bin.filePath(QStringLiteral("orca")), "touch \"$0.started\"\nexec sleep 60\n"));
    {
        ScreenReaderSession session({});
        session.setPath(bin.path() + QStringLiteral(":/usr/bin:/bin"));
        QString error;
        QVERIFY2(session.start(&error), qPrintable(error));
        session.keys({ QStringLiteral("super+alt+s") });
        QTRY_VERIFY(QFile::exists(bin.filePath(QStringLiteral("orca.started"))));
    }
    // Without one, the key says so instead of doing nothing.
    QTemporaryDir empty;
    ScreenReaderSession session({});
    session.setPath(empty.path());
    QString error;
    QVERIFY2(session.start(&error), qPrintable(error));
    session.keys({ QStringLiteral("super+alt+s") });
    QTRY_VERIFY2(session.errors().contains("the screen reader 'orca' is not installed"), session.errors().constData());
}

QTEST_GUILESS_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
