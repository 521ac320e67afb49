// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ScopedSystemRoot.h"
#include "StderrCapture.h"
#include "SystemPaths.h"
#include "TestFiles.h"
#include "WallpaperUtils.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace
{

QString wallpapers()
{
    return SystemPaths::nimbDmWallpapersDir();
}

QByteArray sizeMessage(int w, int h)
{
    return QStringLiteral("nimb-qdm: Can't find default wallpaper '%1/%2x%3/nimb-default.png' for screen %2x%3, "
                          "attempt to look for other size\n")
        .arg(wallpapers())
        .arg(w)
        .arg(h)
        .toUtf8();
}

QByteArray ratioMessage(const char* ratio, const char* suffix)
{
    return QStringLiteral("nimb-qdm: Can't find default wallpaper '%1/%2/nimb-default%3' for ratio %2\n")
        .arg(wallpapers(), QLatin1String(ratio), QLatin1String(suffix))
        .toUtf8();
}

} // namespace

class WallpaperUtilsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingParentIsReportedAndNothingFound();
    void createsThePrivateDirectory();
    void sizeDirectoryComesFirst();
    void ratioDirectoryIsTheFallback_data();
    void ratioDirectoryIsTheFallback();
    void logoCandidates_data();
    void logoCandidates();
};

void WallpaperUtilsTest::missingParentIsReportedAndNothingFound()
{
    ScopedSystemRoot root;
    bool flag = false;
    StderrCapture errors;
    QCOMPARE(Utils::FindNimbWallPaper(1920, 1080, &flag, QStringLiteral("/ignored")), std::string());
    QVERIFY(flag);
    QCOMPARE(errors.text(),
        QByteArray("nimb-qdm: failed to create dir '") + wallpapers().toUtf8() + "'\n" + sizeMessage(1920, 1080)
            + ratioMessage("16:9", ".png") + ratioMessage("16:9", ".svg"));
}

void WallpaperUtilsTest::createsThePrivateDirectory()
{
    ScopedSystemRoot root;
    root.makeDir(QStringLiteral("/usr/share/wallpapers"));
    StderrCapture errors;
    QCOMPARE(Utils::FindNimbWallPaper(800, 600, nullptr, QString()), std::string());
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(wallpapers()).constData(), &info), 0);
    QVERIFY(S_ISDIR(info.st_mode));
    QCOMPARE(info.st_mode & 0777, mode_t(0700));
    QCOMPARE(errors.text(), sizeMessage(800, 600) + ratioMessage("4:3", ".png") + ratioMessage("4:3", ".svg"));
}

void WallpaperUtilsTest::sizeDirectoryComesFirst()
{
    ScopedSystemRoot root;
    const QString bySize
        = root.writeFile(QStringLiteral("/usr/share/wallpapers/nimb-dm/1920x1080/nimb-default.png"), "png");
    root.writeFile(QStringLiteral("/usr/share/wallpapers/nimb-dm/16:9/nimb-default.png"), "png");
    StderrCapture errors;
    bool flag = false;
    QCOMPARE(QString::fromStdString(Utils::FindNimbWallPaper(1920, 1080, &flag, QString())), bySize);
    QVERIFY(flag);
    QCOMPARE(errors.text(), QByteArray());
}

void WallpaperUtilsTest::ratioDirectoryIsTheFallback_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("messages");
    QTest::newRow("1366x768 finds 16:9 png") << 1366 << 768 << QStringLiteral("16:9/nimb-default.png") << 1;
    QTest::newRow("1920x1200 finds 16:10 svg") << 1920 << 1200 << QStringLiteral("16:10/nimb-default.svg") << 2;
    QTest::newRow("1280x1024 finds 5:4 png") << 1280 << 1024 << QStringLiteral("5:4/nimb-default.png") << 1;
}

void WallpaperUtilsTest::ratioDirectoryIsTheFallback()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, file);
    QFETCH(int, messages);
    ScopedSystemRoot root;
    const QString expected = root.writeFile(QStringLiteral("/usr/share/wallpapers/nimb-dm/") + file, "picture");
    // A directory named like the picture is not a picture.
    root.makeDir(QStringLiteral("/usr/share/wallpapers/nimb-dm/%1x%2/nimb-default.png").arg(width).arg(height));
    StderrCapture errors;
    QCOMPARE(QString::fromStdString(Utils::FindNimbWallPaper(width, height, nullptr, QString())), expected);
    QCOMPARE(errors.text().count('\n'), messages);
}

void WallpaperUtilsTest::logoCandidates_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("expected");
    const QStringList all { QStringLiteral("logo_800_white.png"), QStringLiteral("logo_1280_white.png"),
        QStringLiteral("logo_1920_white.png"), QStringLiteral("logo_2048_white.png") };
    QTest::newRow("800") << 800 << all << QStringLiteral("logo_800_white.png");
    QTest::newRow("801") << 801 << all << QStringLiteral("logo_1280_white.png");
    QTest::newRow("1280") << 1280 << all << QStringLiteral("logo_1280_white.png");
    QTest::newRow("1920") << 1920 << all << QStringLiteral("logo_1920_white.png");
    QTest::newRow("1921") << 1921 << all << QStringLiteral("logo_2048_white.png");
    QTest::newRow("size without colour") << 1920
                                         << QStringList { QStringLiteral("logo_1920.png"),
                                                QStringLiteral("logo_white.png") }
                                         << QStringLiteral("logo_1920.png");
    QTest::newRow("colour without size") << 1920
                                         << QStringList { QStringLiteral("logo_white.png"), QStringLiteral("logo.png") }
                                         << QStringLiteral("logo_white.png");
    QTest::newRow("base alone") << 1920 << QStringList { QStringLiteral("logo.png") } << QStringLiteral("logo.png");
    QTest::newRow("nothing: base returned anyway") << 1920 << QStringList() << QStringLiteral("logo.png");
}

void WallpaperUtilsTest::logoCandidates()
{
    QFETCH(int, width);
    QFETCH(QStringList, present);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (const QString& name : present)
        QVERIFY(TestFiles::write(dir.filePath(name), "png"));
    const std::string base = QFile::encodeName(dir.filePath(QStringLiteral("logo"))).toStdString();
    QCOMPARE(QString::fromStdString(Utils::NimbDefaultLogoPath(base, width, 1, "white")), dir.filePath(expected));
}

QTEST_GUILESS_MAIN(WallpaperUtilsTest)
#include "tst_wallpaperutils.moc"
