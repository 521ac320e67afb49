// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ScopedSystemRoot.h"
#include "SystemPaths.h"
#include "TestFiles.h"
#include "TokenWatcher.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include <cstdio>

/// The watcher is process-wide, so its cases run in order as one story of the token file.
class TokenWatcherTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void parse_data();
    void parse();

    void startWithoutFileWatchesTheDirectory();
    void createdFileIsReadAndWatched();
    void rewrittenFileIsReadAgain();
    void emptiedFileGivesEmptyList();
    void deletedFileGoesBackToTheDirectory();
    void recreatedFileIsReadAgain();
    void largeFileIsReadWhole();
    void replacedFileKeepsBeingWatched();

private:
    void writeToken(const QByteArray& content);
    QStringList lastList() const;

    std::unique_ptr<ScopedSystemRoot> m_root;
    std::unique_ptr<QSignalSpy> m_spy;
};

void TokenWatcherTest::initTestCase()
{
    m_root = std::make_unique<ScopedSystemRoot>();
    m_root->makeDir(QStringLiteral("/etc/X11/nimb-dm"));
    m_spy = std::make_unique<QSignalSpy>(TokenWatcher::instance(), &TokenWatcher::tokenUsersChanged);
}

void TokenWatcherTest::parse_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("names with an empty line and a final newline")
        << QByteArray("anna\n\nboris\n") << QStringList { QStringLiteral("anna"), QStringLiteral("boris") };
    QTest::newRow("no trimming: blanks and carriage returns stay")
        << QByteArray(" anna\r\nboris \r\n") << QStringList { QStringLiteral(" anna\r"), QStringLiteral("boris \r") };
    QTest::newRow("reading stops at the first NUL")
        << QByteArray("anna\nbo\0ris\nclara\n", 18) << QStringList { QStringLiteral("anna"), QStringLiteral("bo") };
    QTest::newRow("leading NUL gives nothing") << QByteArray("\0anna\n", 6) << QStringList();
    QTest::newRow("only newlines") << QByteArray("\n\n\n") << QStringList();
}

void TokenWatcherTest::parse()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    QCOMPARE(TokenWatcher::parse(content), expected);
}

void TokenWatcherTest::writeToken(const QByteArray& content)
{
    QVERIFY(TestFiles::write(SystemPaths::tokenFile(), content));
}

QStringList TokenWatcherTest::lastList() const
{
    return m_spy->isEmpty() ? QStringList() : m_spy->last().at(0).toStringList();
}

void TokenWatcherTest::startWithoutFileWatchesTheDirectory()
{
    QVERIFY(!QFile::exists(SystemPaths::tokenFile()));
    QCOMPARE(TokenWatcher::instance()->start(), QStringList());
    QCOMPARE(m_spy->count(), 0);
}

void TokenWatcherTest::createdFileIsReadAndWatched()
{
    writeToken("anna\nboris\n");
    QTRY_COMPARE(lastList(), (QStringList { QStringLiteral("anna"), QStringLiteral("boris") }));
}

void TokenWatcherTest::rewrittenFileIsReadAgain()
{
    m_spy->clear();
    writeToken("clara\n");
    QTRY_COMPARE(lastList(), QStringList { QStringLiteral("clara") });
}

void TokenWatcherTest::emptiedFileGivesEmptyList()
{
    m_spy->clear();
    writeToken(QByteArray());
    QTRY_VERIFY(!m_spy->isEmpty());
    QTRY_COMPARE(lastList(), QStringList());
}

void TokenWatcherTest::deletedFileGoesBackToTheDirectory()
{
    writeToken("dmitri\n");
    QTRY_COMPARE(lastList(), QStringList { QStringLiteral("dmitri") });
    m_spy->clear();
    QVERIFY(QFile::remove(SystemPaths::tokenFile()));
    QTRY_VERIFY(!m_spy->isEmpty());
    QCOMPARE(lastList(), QStringList());
}

void TokenWatcherTest::recreatedFileIsReadAgain()
{
    m_spy->clear();
    writeToken("eva\r\nfelix\n");
    QTRY_COMPARE(lastList(), (QStringList { QStringLiteral("eva\r"), QStringLiteral("felix") }));
}

void TokenWatcherTest::largeFileIsReadWhole()
{
    QByteArray big;
    big.reserve(10 * 1024 * 1024 + 16);
    const QByteArray line("user-with-a-rather-long-name-000\n");
    while (big.size() < 10 * 1024 * 1024)
        big += line;
    big += "lastuser\n";
    m_spy->clear();
    writeToken(big);
    QTRY_VERIFY(!m_spy->isEmpty() && lastList().size() > 1 && lastList().last() == QLatin1String("lastuser"));

    // Binary junk does not crash the reader; what it yields is whatever the bytes decode to.
    QByteArray junk;
    for (int i = 1; i < 256; ++i)
        junk += char(i);
    m_spy->clear();
    writeToken(junk + "\ngrace\n");
    QTRY_VERIFY(!lastList().isEmpty() && lastList().last() == QLatin1String("grace"));
}

void TokenWatcherTest::replacedFileKeepsBeingWatched()
{
    // Replaced by rename, as editors and atomic writers do.
    const QString temporary = m_root->filePath(QStringLiteral("/etc/X11/nimb-dm/token.new"));
    QVERIFY(TestFiles::write(temporary, "henrik\n"));
    m_spy->clear();
    QVERIFY(::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(SystemPaths::tokenFile()).constData())
        == 0);
    QTRY_COMPARE(lastList(), QStringList { QStringLiteral("henrik") });

    m_spy->clear();
    writeToken("ivan\n");
    QTRY_COMPARE(lastList(), QStringList { QStringLiteral("ivan") });
}

QTEST_GUILESS_MAIN(TokenWatcherTest)
#include "tst_tokenwatcher.moc"
