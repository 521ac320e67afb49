// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "TestFiles.h"
#include "ThemeChecker.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

namespace
{

/// One change to a copy of the default theme.
struct Edit {
    enum Kind { Remove, Write, Replace };
    Kind kind;
    QString file;
    QByteArray from; ///< Replace: the text to change, which must be there
    QByteArray to; ///< Write: the whole content; Replace: the new text
};
using Edits = QVector<Edit>;

Edit removed(const char* file)
{
    return { Edit::Remove, QLatin1String(file), {}, {} };
}
Edit written(const char* file, const QByteArray& content)
{
    return { Edit::Write, QLatin1String(file), {}, content };
}
Edit replaced(const char* file, const QByteArray& from, const QByteArray& to)
{
    return { Edit::Replace, QLatin1String(file), from, to };
}

/// Copies the theme in @p source to @p target, following links, as an author's copy would be.
bool copyTheme(const QString& source, const QString& target)
{
    QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (files.hasNext()) {
        const QString file = files.next();
        if (!TestFiles::write(target + QLatin1Char('/') + QDir(source).relativeFilePath(file), TestFiles::read(file)))
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Edits)

class ThemeCheckerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultThemesAreFine_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::newRow("modern") << QStringLiteral(MODERN_THEME_DIR);
        QTest::newRow("modern-generic") << QStringLiteral(MODERN_GENERIC_THEME_DIR);
    }

    void defaultThemesAreFine()
    {
        QFETCH(QString, dir);
        QCOMPARE(ThemeChecker::check(dir), QStringList());
    }

    void brokenThemeGivesOneLineEach_data()
    {
        QTest::addColumn<Edits>("edits");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("missing description")
            << Edits { removed("RezGreeterTheme.desktop") }
            << QStringList { QStringLiteral("RezGreeterTheme.desktop: the file is missing") };
        QTest::newRow("unknown plug-in")
            << Edits { replaced("RezGreeterTheme.desktop", "Plugin=standard-theme", "Plugin=fancy-theme") }
            << QStringList { QStringLiteral("RezGreeterTheme.desktop: unknown plug-in 'fancy-theme' (expected "
                                            "standard-theme, generic-theme or the absolute path of a plug-in file)") };
        QTest::newRow("yaml syntax error")
            << Edits { replaced("settings.yaml", "keep_proportions: true", "keep_proportions: [true") }
            << QStringList { QStringLiteral("settings.yaml:56:3: syntax error: end of sequence flow not found") };
        // The library stops at the first wrong alias; each one gets its line.
        QTest::newRow("aliases of the wrong kind")
            << Edits { replaced("settings.yaml", "ru: GNOME\n", "ru: [GNOME]\n"),
                   replaced("settings.yaml", "en: Xfce", "en: {name: Xfce}") }
            << QStringList { QStringLiteral("settings.yaml:13:11: menu_session_aliases entry 2: alias 'ru' is not "
                                            "text; the greeter then renames no session"),
                   QStringLiteral("settings.yaml:20:11: menu_session_aliases entry 4: alias 'en' is not "
                                  "text; the greeter then renames no session") };
        QTest::newRow("bad colour")
            << Edits { replaced("settings.yaml", "[12, 16, 24, 110]", "[12, 16, 24, 300]") }
            << QStringList { QStringLiteral(
                   "settings.yaml:56:18: background.color_overlay must be 3 or 4 numbers from 0 to 255 "
                   "(red, green, blue and an optional alpha); the overlay is left out") };
        QTest::newRow("missing wallpaper")
            << Edits { replaced("settings.yaml", "path: nimb-default-modern", "path: pictures/sea.jpg") }
            << QStringList { QStringLiteral("settings.yaml:53:9: background.path: no file 'pictures/sea.jpg'") };
        QTest::newRow("missing form") << Edits { removed("horizontal_user_item.ui") }
                                      << QStringList { QStringLiteral("horizontal_user_item.ui: the form is missing") };
        QTest::newRow("not a form")
            << Edits { written("central_widget.ui", "just some text\n") }
            << QStringList { QStringLiteral(
                   "central_widget.ui: not a Designer form (An error has occurred while reading the UI "
                   "file at line 1, column 1: Start tag expected.)") };
        QTest::newRow("missing name") << Edits {
            replaced("central_widget.ui", "name=\"capsLockLabel\"", "name=\"capsLabel\"")
        } << QStringList { QStringLiteral("central_widget.ui: no QLabel named 'capsLockLabel'") };
        QTest::newRow("wrong class") << Edits {
            replaced("central_widget.ui", "class=\"QToolButton\" name=\"loginToolButton\"",
                "class=\"QPushButton\" name=\"loginToolButton\"")
        } << QStringList { QStringLiteral("central_widget.ui: 'loginToolButton' is a QPushButton, not a QToolButton") };
        QTest::newRow("missing page")
            << Edits { replaced("central_widget.ui", "name=\"allUsersPage\"", "name=\"everyonePage\"") }
            << QStringList { QStringLiteral(
                   "central_widget.ui: 'commonStackedWidget' has no page named 'allUsersPage'") };
        QTest::newRow("missing icon") << Edits { removed("icon-token.png") }
                                      << QStringList { QStringLiteral("icon-token.png: the icon is missing") };
        // The generic mode shows no user list: it needs neither the item forms nor the icons.
        QTest::newRow("generic theme without user items")
            << Edits { replaced("RezGreeterTheme.desktop", "Plugin=standard-theme", "Plugin=generic-theme"),
                   removed("vertical_user_item.ui"), removed("icon-token.png") }
            << QStringList();
        QTest::newRow("three at once")
            << Edits { removed("icon_white_circle.svg"),
                   replaced("common_widget.ui", "name=\"modeLabel\"", "name=\"levelLabel\""),
                   replaced("settings.yaml", "[12, 16, 24, 110]", "[12, 16]") }
            << QStringList { QStringLiteral(
                                 "settings.yaml:56:18: background.color_overlay must be 3 or 4 numbers from 0 to 255 "
                                 "(red, green, blue and an optional alpha); the overlay is left out"),
                   QStringLiteral("common_widget.ui: no QLabel named 'modeLabel'"),
                   QStringLiteral("icon_white_circle.svg: the icon is missing") };
    }

    void brokenThemeGivesOneLineEach()
    {
        QFETCH(Edits, edits);
        QFETCH(QStringList, expected);
        QTemporaryDir theme;
        QVERIFY(theme.isValid());
        QVERIFY(copyTheme(QStringLiteral(MODERN_THEME_DIR), theme.path()));
        for (const Edit& edit : qAsConst(edits)) {
            const QString path = theme.filePath(edit.file);
            QByteArray content = edit.kind == Edit::Write ? edit.to : TestFiles::read(path);
            if (edit.kind == Edit::Remove) {
                QVERIFY(QFile::remove(path));
                continue;
            }
            if (edit.kind == Edit::Replace) {
                QVERIFY2(content.contains(edit.from), edit.from.constData());
                content.replace(edit.from, edit.to);
            }
            QVERIFY(TestFiles::write(path, content));
        }

        QCOMPARE(ThemeChecker::check(theme.path()), expected);
    }
};

QTEST_MAIN(ThemeCheckerTest)
#include "tst_themechecker.moc"
