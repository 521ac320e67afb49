// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "MetaSignatures.h"
#include "ProcessProbe.h"
#include "TestFiles.h"
#include "VirtualKeyboardManager.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class VirtualKeyboardManagerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void commandIsSplitAtSpaces_data();
    void commandIsSplitAtSpaces();
    void openStartsTheProgramWithItsArguments();
    void openAgainRestartsWithoutError();
    void closeEndsEverythingQuietly();
    void destructionEndsTheProgram();
    void missingProgramReportsTheProcessText();
    void emptyCommandReportsAnError();
    void crashOfTheProgramIsReported();
    void metaMethodsInOrder();
    void isAManager();

private:
    /// A keyboard stand-in: notes its own id and its child's, then waits in that child.
    QString writeKeyboard();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_pids;
};

void VirtualKeyboardManagerTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_pids = m_dir->filePath(QStringLiteral("pids"));
}

QString VirtualKeyboardManagerTest::writeKeyboard()
{
    const QString path = m_dir->filePath(QStringLiteral("keyboard"));
    TestFiles::writeScript(path,
        "echo \"$@\" > \"$(dirname \"$0\")/args\"\n"
        "sleep 30 &\n"
        "echo $$ >> \"$(dirname \"$0\")/pids\"\n"
        "echo $! >> \"$(dirname \"$0\")/pids\"\n"
        "wait\n");
    return path;
}

void VirtualKeyboardManagerTest::commandIsSplitAtSpaces_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("program only") << QStringLiteral("onboard") << QStringLiteral("onboard") << QStringList();
    QTest::newRow("two spaces give no empty argument")
        << QStringLiteral("  onboard  --size  800x300 ") << QStringLiteral("onboard")
        << QStringList { QStringLiteral("--size"), QStringLiteral("800x300") };
    QTest::newRow("no quoting") << QStringLiteral("kbd \"a b\"") << QStringLiteral("kbd")
                                << QStringList { QStringLiteral("\"a"), QStringLiteral("b\"") };
    QTest::newRow("empty") << QString() << QString() << QStringList();
    QTest::newRow("blanks only") << QStringLiteral("    ") << QString() << QStringList();
}

void VirtualKeyboardManagerTest::commandIsSplitAtSpaces()
{
    QFETCH(QString, command);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    VirtualKeyboardManager manager(command, 0);
    QCOMPARE(manager.program(), program);
    QCOMPARE(manager.arguments(), arguments);
}

void VirtualKeyboardManagerTest::openStartsTheProgramWithItsArguments()
{
    VirtualKeyboardManager manager(writeKeyboard() + QStringLiteral("  --layout  compact"), 0);
    manager.open();
    QTRY_COMPARE(ProcessProbe::idsIn(m_pids).size(), 2);
    QCOMPARE(TestFiles::read(m_dir->filePath(QStringLiteral("args"))), QByteArray("--layout compact\n"));
    QCOMPARE(ProcessProbe::runningIn(m_pids), 2);
}

void VirtualKeyboardManagerTest::openAgainRestartsWithoutError()
{
    VirtualKeyboardManager manager(writeKeyboard(), 0);
    QSignalSpy errors(&manager, &VirtualKeyboardManager::errorOccurred);
    manager.open();
    QTRY_COMPARE(ProcessProbe::idsIn(m_pids).size(), 2);
    const QList<qint64> first = ProcessProbe::idsIn(m_pids);

    manager.open();
    // The first instance, with what it started, is gone before the second begins.
    QVERIFY(!ProcessProbe::isRunning(first.at(0)));
    QTRY_VERIFY(!ProcessProbe::isRunning(first.at(1)));
    QTRY_COMPARE(ProcessProbe::idsIn(m_pids).size(), 4);
    QCOMPARE(ProcessProbe::runningIn(m_pids), 2);
    QTest::qWait(50);
    QCOMPARE(errors.count(), 0);
}

void VirtualKeyboardManagerTest::closeEndsEverythingQuietly()
{
    VirtualKeyboardManager manager(writeKeyboard(), 0);
    QSignalSpy errors(&manager, &VirtualKeyboardManager::errorOccurred);
    manager.close(); // nothing runs yet
    manager.open();
    QTRY_COMPARE(ProcessProbe::idsIn(m_pids).size(), 2);
    manager.close();
    QTRY_COMPARE(ProcessProbe::runningIn(m_pids), 0);
    manager.close();
    QTest::qWait(50);
    QCOMPARE(errors.count(), 0);
}

void VirtualKeyboardManagerTest::destructionEndsTheProgram()
{
    {
        VirtualKeyboardManager manager(writeKeyboard(), 0);
        manager.open();
        QTRY_COMPARE(ProcessProbe::idsIn(m_pids).size(), 2);
    }
    QTRY_COMPARE(ProcessProbe::runningIn(m_pids), 0);
}

void VirtualKeyboardManagerTest::missingProgramReportsTheProcessText()
{
    const QString missing = m_dir->filePath(QStringLiteral("no-such-keyboard"));
    QProcess reference;
    reference.start(missing, QStringList());
    QVERIFY(!reference.waitForStarted());

    VirtualKeyboardManager manager(missing + QStringLiteral(" --flag"), 0);
    QSignalSpy errors(&manager, &VirtualKeyboardManager::errorOccurred);
    manager.open();
    QTRY_COMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), reference.errorString());
    QVERIFY(!reference.errorString().isEmpty());
}

void VirtualKeyboardManagerTest::emptyCommandReportsAnError()
{
    VirtualKeyboardManager manager(QStringLiteral("   "), 0);
    QSignalSpy errors(&manager, &VirtualKeyboardManager::errorOccurred);
    manager.open();
    QTRY_COMPARE(errors.count(), 1);
    QVERIFY(!errors.at(0).at(0).toString().isEmpty());
}

void VirtualKeyboardManagerTest::crashOfTheProgramIsReported()
{
    const QString path = m_dir->filePath(QStringLiteral("crashing"));
    TestFiles::writeScript(path, "kill -SEGV $$\n");
    VirtualKeyboardManager manager(path, 0);
    QSignalSpy errors(&manager, &VirtualKeyboardManager::errorOccurred);
    manager.open();
    QTRY_COMPARE(errors.count(), 1);
    QVERIFY(!errors.at(0).at(0).toString().isEmpty());
}

void VirtualKeyboardManagerTest::metaMethodsInOrder()
{
    const QStringList expected {
        QStringLiteral("errorOccurred(QString)"),
        QStringLiteral("open()"),
        QStringLiteral("close()"),
        QStringLiteral("errorOccurredHandle(QProcess::ProcessError)"),
    };
    QCOMPARE(MetaSignatures::ownMethods(VirtualKeyboardManager::staticMetaObject), expected);
}

void VirtualKeyboardManagerTest::isAManager()
{
    VirtualKeyboardManager manager(QStringLiteral("onboard"), 42);
    QCOMPARE(manager.id(), QStringLiteral("virtualkeyboard"));
    QCOMPARE(static_cast<Manager*>(manager.qt_metacast("Manager")), static_cast<Manager*>(&manager));
}

QTEST_GUILESS_MAIN(VirtualKeyboardManagerTest)
#include "tst_virtualkeyboardmanager.moc"
