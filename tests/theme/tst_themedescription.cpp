// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"
#include "SystemInfo.h"
#include "TestFiles.h"
#include "ThemeDescription.h"
#include "ThemeInfo.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

class ThemeDescriptionTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsAllKeys();
    void missingKeysGiveEmptyValues();
    void missingFileThrowsWithPath();
    void secondReadReplacesFirst();
    void dirPathIsAbsoluteDirectory();

    void themeInfoNameAndPaths();
    void isUiTheme_data();
    void isUiTheme();

    void fullPluginPath_data();
    void fullPluginPath();
    void pointToStringList();
    void intToUidKeepsTheValue();
};

static const char fullDescription[] = "[RezGreeterTheme]\n"
                                      "Greeter=modern.ui\n"
                                      "Plugin=standard-theme\n"
                                      "Widgets=common_widget.ui, central_widget.ui\n"
                                      "[Other]\n"
                                      "Greeter=ignored\n";

void ThemeDescriptionTest::readsAllKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RezGreeterTheme.desktop"));
    QVERIFY(TestFiles::write(path, fullDescription));

    ThemeDescription description(path);
    QVERIFY(description.greeter().isEmpty());
    description.read();
    QCOMPARE(description.path(), path);
    QCOMPARE(description.greeter(), QStringLiteral("modern.ui"));
    QCOMPARE(description.plugin(), QStringLiteral("standard-theme"));
    QCOMPARE(description.widgets(),
        (QStringList { QStringLiteral("common_widget.ui"), QStringLiteral("central_widget.ui") }));
}

void ThemeDescriptionTest::missingKeysGiveEmptyValues()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RezGreeterTheme.desktop"));
    QVERIFY(TestFiles::write(path, "[RezGreeterTheme]\nUnknown=1\n"));
    ThemeDescription description(path);
    description.read();
    QVERIFY(description.greeter().isEmpty());
    QVERIFY(description.plugin().isEmpty());
    QVERIFY(description.widgets().isEmpty());
}

void ThemeDescriptionTest::missingFileThrowsWithPath()
{
    QTemporaryDir dir;
    ThemeInfo info(dir.filePath(QStringLiteral("absent-theme")));
    try {
        info.read();
        QFAIL("no exception");
    } catch (const FileNotExistsException& e) {
        QCOMPARE(e.path(), dir.filePath(QStringLiteral("absent-theme/RezGreeterTheme.desktop")));
    }
}

void ThemeDescriptionTest::secondReadReplacesFirst()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RezGreeterTheme.desktop"));
    QVERIFY(TestFiles::write(path, fullDescription));
    ThemeDescription description(path);
    description.read();
    QVERIFY(TestFiles::write(path, "[RezGreeterTheme]\nPlugin=generic-theme\n"));
    description.read();
    QVERIFY(description.greeter().isEmpty());
    QCOMPARE(description.plugin(), QStringLiteral("generic-theme"));
    QVERIFY(description.widgets().isEmpty());
}

void ThemeDescriptionTest::dirPathIsAbsoluteDirectory()
{
    ThemeDescription relative(QStringLiteral("themes/modern/RezGreeterTheme.desktop"));
    QCOMPARE(relative.dirPath(), QDir::current().absoluteFilePath(QStringLiteral("themes/modern")));
    ThemeDescription absolute(QStringLiteral("/a/b/../c/RezGreeterTheme.desktop"));
    QCOMPARE(absolute.dirPath(), QStringLiteral("/a/c"));
}

void ThemeDescriptionTest::themeInfoNameAndPaths()
{
    ThemeInfo info(QStringLiteral("/usr/share/nimb-dm/themes/modern"));
    QCOMPARE(info.path(), QStringLiteral("/usr/share/nimb-dm/themes/modern"));
    QCOMPARE(info.name(), QStringLiteral("modern"));
    QCOMPARE(info.description().path(), QStringLiteral("/usr/share/nimb-dm/themes/modern/RezGreeterTheme.desktop"));
    QVERIFY(info.description().plugin().isEmpty());
}

void ThemeDescriptionTest::isUiTheme_data()
{
    QTest::addColumn<QByteArray>("greeter");
    QTest::addColumn<bool>("expected");
    QTest::newRow("one suffix ui") << QByteArray("modern.ui") << true;
    QTest::newRow("path with one suffix ui") << QByteArray("forms/modern.ui") << true;
    QTest::newRow("two suffixes ending in ui") << QByteArray("modern.old.ui") << false;
    QTest::newRow("other suffix") << QByteArray("modern.qml") << false;
    QTest::newRow("upper case") << QByteArray("modern.UI") << false;
    QTest::newRow("empty") << QByteArray("") << false;
}

void ThemeDescriptionTest::isUiTheme()
{
    QFETCH(QByteArray, greeter);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    QVERIFY(TestFiles::write(
        dir.filePath(QStringLiteral("RezGreeterTheme.desktop")), "[RezGreeterTheme]\nGreeter=" + greeter + "\n"));
    ThemeInfo info(dir.path());
    info.read();
    QCOMPARE(info.isUiTheme(), expected);
}

void ThemeDescriptionTest::fullPluginPath_data()
{
    const QDir libraries(QLibraryInfo::location(QLibraryInfo::LibrariesPath));
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("absolute path unchanged")
        << QStringLiteral("/opt/x/libtheme.so") << QStringLiteral("/opt/x/libtheme.so");
    QTest::newRow("bare name in the libraries directory")
        << QStringLiteral("standard-theme") << libraries.filePath(QStringLiteral("vestibule_standard-theme"));
    QTest::newRow("relative path is not absolute")
        << QStringLiteral("sub/x") << libraries.filePath(QStringLiteral("vestibule_sub/x"));
}

void ThemeDescriptionTest::fullPluginPath()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(SystemInfo::fullPluginPath(name), expected);
}

void ThemeDescriptionTest::pointToStringList()
{
    QByteArray first("standard-theme");
    QByteArray second("пример");
    char* list[] = { first.data(), second.data(), nullptr };
    QCOMPARE(SystemInfo::pointToStringList(list),
        (QStringList { QStringLiteral("standard-theme"), QStringLiteral("пример") }));

    char* empty[] = { nullptr };
    QVERIFY(SystemInfo::pointToStringList(empty).isEmpty());
    QVERIFY(SystemInfo::pointToStringList(nullptr).isEmpty());
}

void ThemeDescriptionTest::intToUidKeepsTheValue()
{
    QCOMPARE(SystemInfo::intToUid_t(1000), uid_t(1000));
    QCOMPARE(SystemInfo::intToUid_t(0), uid_t(0));
}

QTEST_MAIN(ThemeDescriptionTest)
#include "tst_themedescription.moc"
