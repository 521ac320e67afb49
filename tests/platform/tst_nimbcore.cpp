// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "TestFiles.h"
#include "nimbcore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class NimbCoreTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileExistsTellsFilesFromDirectories();
    void ratio_data();
    void ratio();
    void logoPosition_data();
    void logoPosition();
    void unknownPositionLeavesOutputs();
};

void NimbCoreTest::fileExistsTellsFilesFromDirectories()
{
    QTemporaryDir dir;
    const QByteArray file = QFile::encodeName(dir.filePath(QStringLiteral("a.png")));
    QVERIFY(TestFiles::write(QFile::decodeName(file), "x"));
    const QByteArray directory = QFile::encodeName(dir.path());
    QVERIFY(fileExists(file.constData(), true));
    QVERIFY(!fileExists(file.constData(), false));
    QVERIFY(fileExists(directory.constData(), false));
    QVERIFY(!fileExists(directory.constData(), true));
    QVERIFY(!fileExists(QByteArray(directory).append("/absent").constData(), true));
    QVERIFY(!fileExists(nullptr, true));
}

void NimbCoreTest::ratio_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("ratioWidth");
    QTest::addColumn<int>("ratioHeight");
    QTest::newRow("1920x1080") << 1920 << 1080 << 16 << 9;
    QTest::newRow("1366x768 snaps to 16:9") << 1366 << 768 << 16 << 9;
    QTest::newRow("1360x768 snaps to 16:9") << 1360 << 768 << 16 << 9;
    QTest::newRow("3840x2160") << 3840 << 2160 << 16 << 9;
    QTest::newRow("1920x1200") << 1920 << 1200 << 16 << 10;
    QTest::newRow("1440x900") << 1440 << 900 << 16 << 10;
    QTest::newRow("1280x1024") << 1280 << 1024 << 5 << 4;
    QTest::newRow("1024x768") << 1024 << 768 << 4 << 3;
    QTest::newRow("800x600") << 800 << 600 << 4 << 3;
    QTest::newRow("2560x1080 snaps to 21:9") << 2560 << 1080 << 21 << 9;
    QTest::newRow("3440x1440 snaps to 21:9") << 3440 << 1440 << 21 << 9;
    QTest::newRow("5120x1440") << 5120 << 1440 << 32 << 9;
    QTest::newRow("3000x2000") << 3000 << 2000 << 3 << 2;
    QTest::newRow("portrait 1080x1920") << 1080 << 1920 << 9 << 16;
    QTest::newRow("square") << 1000 << 1000 << 1 << 1;
    QTest::newRow("uncommon keeps its fraction") << 1234 << 567 << 1234 << 567;
    QTest::newRow("zero width") << 0 << 100 << 0 << 0;
    QTest::newRow("negative height") << 100 << -5 << 0 << 0;
}

void NimbCoreTest::ratio()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, ratioWidth);
    QFETCH(int, ratioHeight);
    const auto [w, h] = wallpaperSizeRatio(width, height);
    QCOMPARE(w, ratioWidth);
    QCOMPARE(h, ratioHeight);
}

void NimbCoreTest::logoPosition_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("logo");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("full HD: margin 32, 140 below") << QRect(0, 0, 1920, 1080) << QSize(200, 80) << QPoint(1688, 860);
    QTest::newRow("small screen: margin at least 8") << QRect(0, 0, 200, 100) << QSize(20, 10) << QPoint(172, 72);
    QTest::newRow("offset area") << QRect(100, 50, 1000, 500) << QSize(100, 100) << QPoint(985, 385);
    QTest::newRow("logo as wide as the area stays inside") << QRect(0, 0, 200, 600) << QSize(200, 50) << QPoint(0, 482);
}

void NimbCoreTest::logoPosition()
{
    QFETCH(QRect, area);
    QFETCH(QSize, logo);
    QFETCH(QPoint, expected);
    int x = -1;
    int y = -1;
    QVERIFY(CalcLogoPosition(
        logo.width(), logo.height(), area.x(), area.y(), area.width(), area.height(), "BottomRight", &x, &y));
    QCOMPARE(QPoint(x, y), expected);
}

void NimbCoreTest::unknownPositionLeavesOutputs()
{
    int x = 7;
    int y = 9;
    QVERIFY(!CalcLogoPosition(10, 10, 0, 0, 100, 100, "TopLeft", &x, &y));
    QVERIFY(!CalcLogoPosition(10, 10, 0, 0, 100, 100, nullptr, &x, &y));
    QCOMPARE(x, 7);
    QCOMPARE(y, 9);
    QVERIFY(!CalcLogoPosition(10, 10, 0, 0, 100, 100, "BottomRight", nullptr, &y));
}

QTEST_GUILESS_MAIN(NimbCoreTest)
#include "tst_nimbcore.moc"
