// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "nimbadminmode.h"

#include "ScopedSystemRoot.h"
#include "SystemPaths.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class NimbAdminModeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void securityLevel_data();
    void securityLevel();
};

void NimbAdminModeTest::securityLevel_data()
{
    // What stands at the level file's place: "file" (with the content), "missing",
    // "directory", "fifo" (nobody ever writes to it) or "unreadable" (the content, mode 000).
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expected");
    const QString file = QStringLiteral("file");
    // clang-format off
    QTest::newRow("missing") << QStringLiteral("missing") << QByteArray() << -1;
    QTest::newRow("basic") << file << QByteArray("0") << 0;
    QTest::newRow("enhanced with a newline") << file << QByteArray("1\n") << 1;
    QTest::newRow("maximum among blanks") << file << QByteArray(" 2 ") << 2;
    QTest::newRow("tabs and CRLF") << file << QByteArray("\t1\r\n") << 1;
    QTest::newRow("unknown level 3") << file << QByteArray("3") << -1;
    QTest::newRow("negative") << file << QByteArray("-1") << -1;
    QTest::newRow("empty") << file << QByteArray() << -1;
    QTest::newRow("blank") << file << QByteArray(" \n") << -1;
    QTest::newRow("not a number") << file << QByteArray("x") << -1;
    QTest::newRow("two numbers") << file << QByteArray("1 2") << -1;
    QTest::newRow("level with a NUL") << file << QByteArray("1\0", 2) << -1;
    QTest::newRow("a level and a megabyte of blanks") << file << QByteArray("1").append(QByteArray(1 << 20, ' ')) << -1;
    QTest::newRow("directory") << QStringLiteral("directory") << QByteArray() << -1;
    QTest::newRow("named pipe") << QStringLiteral("fifo") << QByteArray() << -1;
    QTest::newRow("unreadable") << QStringLiteral("unreadable") << QByteArray("1") << -1;
    // clang-format on
}

void NimbAdminModeTest::securityLevel()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(int, expected);
    if (kind == QLatin1String("unreadable") && ::geteuid() == 0)
        QSKIP("root reads files whatever their mode");

    const ScopedSystemRoot root;
    QVERIFY(root.isValid());
    const QString path = SystemPaths::securityLevelFile();
    QVERIFY(path.startsWith(root.path()));
    root.makeDir(QStringLiteral("/etc/nimb"));
    if (kind == QLatin1String("file") || kind == QLatin1String("unreadable")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), qint64(content.size()));
        file.close();
        if (kind == QLatin1String("unreadable"))
            QVERIFY(file.setPermissions({}));
    } else if (kind == QLatin1String("directory")) {
        root.makeDir(QStringLiteral("/etc/nimb/security-level"));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    QCOMPARE(NimbAdmin::Mode::getCurrentMode(), expected);
}

QTEST_GUILESS_MAIN(NimbAdminModeTest)
#include "tst_nimbadminmode.moc"
