// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "X11Driver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

namespace
{

constexpr int StepTimeoutMs = 5000;
const QByteArray Usage = QByteArrayLiteral("codegate PIN1LABELTXT or PIN2LABELTXT\n");

struct Titles {
    QString dialog = QStringLiteral("Enter your PIN");
    QString box = QStringLiteral("Attention!");
};

/// A child that the kernel kills when the test program dies, even by a crash or a timeout.
class TiedProcess : public QProcess
{
protected:
    void setupChildProcess() override { ::prctl(PR_SET_PDEATHSIG, SIGKILL); }
};

/// One run of the program as its caller starts it; killed on destruction if it is still running.
class CodegateRun
{
public:
    CodegateRun(const QStringList& arguments, const QProcessEnvironment& environment,
        const QString& standardOutputFile = QString())
    {
        m_process.setProgram(QStringLiteral(CODEGATE_PROGRAM));
        m_process.setArguments(arguments);
        m_process.setProcessEnvironment(environment);
        if (!standardOutputFile.isEmpty())
            m_process.setStandardOutputFile(standardOutputFile);
        m_process.start();
        m_process.waitForStarted(StepTimeoutMs);
    }
    ~CodegateRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(StepTimeoutMs);
        }
    }

    QProcess& process() { return m_process; }

    bool finished() { return m_process.waitForFinished(StepTimeoutMs); }
    QByteArray standardOutput() { return m_process.readAllStandardOutput(); }
    QByteArray standardError()
    {
        m_error += m_process.readAllStandardError();
        return m_error;
    }

    /// Carries out one step of a scenario; on failure @p why says what went wrong.
    bool perform(X11Driver& driver, const Titles& titles, const QString& step, QString* why)
    {
        if (step == QLatin1String("dialog") || step == QLatin1String("box"))
            return waitAndFocus(driver, step == QLatin1String("box") ? titles.box : titles.dialog, why);
        if (step == QLatin1String("close")) {
            driver.requestClose(m_window);
            return true;
        }
        if (step.startsWith(QLatin1String("type "))) {
            driver.type(step.mid(5));
            return true;
        }
        if (step.startsWith(QLatin1String("key "))) {
            driver.key(step.mid(4).toLatin1().constData());
            return true;
        }
        *why = QStringLiteral("unknown step");
        return false;
    }

private:
    bool waitAndFocus(X11Driver& driver, const QString& title, QString* why)
    {
        QElapsedTimer clock;
        clock.start();
        m_window = 0;
        while (!m_window && clock.elapsed() < StepTimeoutMs) {
            if (m_process.state() == QProcess::NotRunning) {
                *why = QStringLiteral("the program ended while waiting for '%1': %2")
                           .arg(title, QString::fromUtf8(standardError()));
                return false;
            }
            m_window = driver.findWindow(m_process.processId(), title);
            if (!m_window)
                QTest::qWait(20);
        }
        if (!m_window) {
            *why = QStringLiteral("no window '%1' within %2 ms").arg(title).arg(StepTimeoutMs);
            return false;
        }
        if (!driver.focus(m_window)) {
            *why = QStringLiteral("window '%1' did not take the focus").arg(title);
            return false;
        }
        return true;
    }

    TiedProcess m_process;
    QByteArray m_error;
    unsigned long m_window = 0;
};

/// The test's own environment (C locale, an empty system root) as the program's callers pass it on.
QProcessEnvironment englishEnvironment()
{
    return QProcessEnvironment::systemEnvironment();
}

/// Without any locale variable, so that the program's own LANG default decides.
QProcessEnvironment environmentWithoutLocale(const QString& systemRoot)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys()) {
        if (name.startsWith(QLatin1String("LC_")) || name == QLatin1String("LANG") || name == QLatin1String("LANGUAGE"))
            environment.remove(name);
    }
    environment.insert(QStringLiteral("VESTIBULE_SYSTEM_ROOT"), systemRoot);
    return environment;
}

} // namespace

class CodegateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void usage_data();
    void usage();

    void answers_data();
    void answers();

    void language_data();
    void language();

    void missingCataloguesAreReported();
    void unwritableOutputIsAnError();

private:
    void runScenario(CodegateRun& run, const Titles& titles, const QStringList& steps);

    X11Driver m_driver;
    QTemporaryDir m_russianRoot;
};

void CodegateTest::initTestCase()
{
    QVERIFY2(m_driver.isReady(), "needs an X server with XTEST on $DISPLAY");
    QVERIFY(QFile::exists(QStringLiteral(CODEGATE_PROGRAM)));
    QVERIFY(m_russianRoot.isValid());
    const QString dir = m_russianRoot.filePath(QStringLiteral("usr/share/nimb/translations"));
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(QFile::copy(QStringLiteral(CODEGATE_CATALOGUE_RU), dir + QStringLiteral("/codegate_ru.qm")));
}

void CodegateTest::runScenario(CodegateRun& run, const Titles& titles, const QStringList& steps)
{
    for (const QString& step : steps) {
        QString why;
        QVERIFY2(run.perform(m_driver, titles, step, &why), qPrintable(step + QStringLiteral(": ") + why));
    }
    QVERIFY2(run.finished(), "the program did not end after the last step");
    QCOMPARE(run.process().exitStatus(), QProcess::NormalExit);
}

void CodegateTest::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no argument") << QStringList();
    QTest::newRow("--help") << QStringList { QStringLiteral("--help") };
    QTest::newRow("-h") << QStringList { QStringLiteral("-h") };
}

void CodegateTest::usage()
{
    QFETCH(QStringList, arguments);
    CodegateRun run(arguments, englishEnvironment());
    QVERIFY(run.finished());
    QCOMPARE(run.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.process().exitCode(), 0);
    QCOMPARE(run.standardOutput(), QByteArray());
    QCOMPARE(run.standardError(), Usage);
}

void CodegateTest::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("pin");

    const QStringList current { QStringLiteral("PIN1LABELTXT") };
    const QStringList twice { QStringLiteral("PIN2LABELTXT") };
    auto steps = [](std::initializer_list<const char*> list) {
        QStringList result;
        for (const char* step : list)
            result << QString::fromLatin1(step);
        return result;
    };

    QTest::newRow("current PIN, Return") << current << steps({ "dialog", "type 1234", "key Return" })
                                         << QByteArray("1234");
    QTest::newRow("leading zeros kept") << current << steps({ "dialog", "type 0007", "key Return" })
                                        << QByteArray("0007");
    QTest::newRow("new PIN typed twice") << twice
                                         << steps({ "dialog", "type 5678", "key Tab", "type 5678", "key Return" })
                                         << QByteArray("5678");
    QTest::newRow("window closed with a typed PIN")
        << current << steps({ "dialog", "type 9876", "close" }) << QByteArray("9876");
    QTest::newRow("Escape with a typed PIN")
        << current << steps({ "dialog", "type 31", "key Escape" }) << QByteArray("31");
    QTest::newRow("new PINs typed, window closed")
        << twice << steps({ "dialog", "type 55", "key Tab", "type 55", "close" }) << QByteArray("55");
    QTest::newRow("letters never reach the PIN")
        << current << steps({ "dialog", "type 1a2B3z", "key Return" }) << QByteArray("123");
    QTest::newRow("17th digit is dropped")
        << current << steps({ "dialog", "type 12345678901234567", "key Return" }) << QByteArray("1234567890123456");
    QTest::newRow("empty PIN asks again")
        << current << steps({ "dialog", "key Return", "box", "key Return", "dialog", "type 2468", "key Return" })
        << QByteArray("2468");
    QTest::newRow("window closed empty asks again")
        << current << steps({ "dialog", "close", "box", "key Return", "dialog", "type 11", "key Return" })
        << QByteArray("11");
    QTest::newRow("empty new PIN asks again")
        << twice
        << steps({ "dialog", "key Tab", "type 12", "key Return", "box", "key Return", "dialog", "type 3", "key Tab",
               "type 3", "key Return" })
        << QByteArray("3");
    QTest::newRow("different new PINs ask again")
        << twice
        << steps({ "dialog", "type 12", "key Tab", "type 13", "key Return", "box", "key Return", "dialog", "type 42",
               "key Tab", "type 42", "key Return" })
        << QByteArray("42");
    QTest::newRow("retype left empty asks again") << twice
                                                  << steps({ "dialog", "type 12", "key Return", "box", "key Escape",
                                                         "dialog", "type 8", "key Tab", "type 8", "key Return" })
                                                  << QByteArray("8");
    QTest::newRow("arguments after the question are ignored")
        << QStringList { QStringLiteral("PIN1LABELTXT"), QStringLiteral("extra") }
        << steps({ "dialog", "type 77", "key Return" }) << QByteArray("77");
    // Any other first word asks for a new PIN: a single field answered alone is refused.
    QTest::newRow("help among more arguments asks for a new PIN")
        << QStringList { QStringLiteral("--help"), QStringLiteral("extra") }
        << steps({ "dialog", "type 77", "key Return", "box", "key Return", "dialog", "type 6", "key Tab", "type 6",
               "key Return" })
        << QByteArray("6");
    QTest::newRow("unknown question asks for a new PIN")
        << QStringList { QStringLiteral("pin1labeltxt") }
        << steps({ "dialog", "type 77", "key Return", "box", "key Return", "dialog", "type 9", "key Tab", "type 9",
               "key Return" })
        << QByteArray("9");
}

void CodegateTest::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, pin);
    CodegateRun run(arguments, englishEnvironment());
    runScenario(run, Titles(), steps);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(run.process().exitCode(), 0);
    QCOMPARE(run.standardOutput(), pin);
}

void CodegateTest::language_data()
{
    QTest::addColumn<QString>("lang"); // "<unset>" leaves LANG out of the environment
    QTest::addColumn<QString>("dialogTitle");
    QTest::addColumn<QString>("boxTitle");
    QTest::addColumn<bool>("translated");

    const QString russianDialog = QStringLiteral("Введите PIN-код");
    const QString russianBox = QStringLiteral("Внимание!");
    const QString englishDialog = QStringLiteral("Enter your PIN");
    const QString englishBox = QStringLiteral("Attention!");
    QTest::newRow("LANG unset defaults to Russian") << QStringLiteral("<unset>") << russianDialog << russianBox << true;
    QTest::newRow("Russian LANG given") << QStringLiteral("ru_RU.UTF-8") << russianDialog << russianBox << true;
    QTest::newRow("English LANG given stays") << QStringLiteral("en_US.UTF-8") << englishDialog << englishBox << false;
    QTest::newRow("C LANG given stays") << QStringLiteral("C.UTF-8") << englishDialog << englishBox << false;
    QTest::newRow("empty LANG given stays") << QString() << englishDialog << englishBox << false;
}

void CodegateTest::language()
{
    QFETCH(QString, lang);
    QFETCH(QString, dialogTitle);
    QFETCH(QString, boxTitle);
    QFETCH(bool, translated);

    QProcessEnvironment environment = environmentWithoutLocale(m_russianRoot.path());
    if (lang != QLatin1String("<unset>"))
        environment.insert(QStringLiteral("LANG"), lang);
    CodegateRun run({ QStringLiteral("PIN1LABELTXT") }, environment);
    Titles titles;
    titles.dialog = dialogTitle;
    titles.box = boxTitle;
    runScenario(run, titles,
        { QStringLiteral("dialog"), QStringLiteral("key Return"), QStringLiteral("box"), QStringLiteral("key Return"),
            QStringLiteral("dialog"), QStringLiteral("type 4321"), QStringLiteral("key Return") });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(run.process().exitCode(), 0);
    QCOMPARE(run.standardOutput(), QByteArray("4321"));
    QCOMPARE(run.standardError().contains("codegate: can't load/install app translator\n"), !translated);
}

void CodegateTest::missingCataloguesAreReported()
{
    // The test environment has a C locale and an empty system root: neither catalogue exists.
    CodegateRun run({ QStringLiteral("PIN1LABELTXT") }, englishEnvironment());
    runScenario(run, Titles(), { QStringLiteral("dialog"), QStringLiteral("type 5"), QStringLiteral("key Return") });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(run.process().exitCode(), 0);
    QCOMPARE(run.standardOutput(), QByteArray("5"));
    const QByteArray error = run.standardError();
    QVERIFY2(error.contains("codegate: can 't load/install qt translator\n"), error.constData());
    QVERIFY2(error.contains("codegate: can't load/install app translator\n"), error.constData());
}

void CodegateTest::unwritableOutputIsAnError()
{
    // A full device takes nothing: the caller must not see success without a PIN.
    CodegateRun run({ QStringLiteral("PIN1LABELTXT") }, englishEnvironment(), QStringLiteral("/dev/full"));
    runScenario(run, Titles(), { QStringLiteral("dialog"), QStringLiteral("type 5"), QStringLiteral("key Return") });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(run.process().exitCode(), 1);
    QVERIFY(run.standardError().contains("codegate: can't write the PIN to standard output\n"));
}

QTEST_GUILESS_MAIN(CodegateTest)

#include "tst_codegate.moc"
