// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "TestFiles.h"
#include "ThemeSettings.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <exception>

namespace
{

/// The background record flattened into one comparable line.
QString describe(const BackgroundSettings& s)
{
    QStringList parts;
    if (!s.present)
        return QStringLiteral("absent");
    parts << QStringLiteral("present");
    if (s.hasPath)
        parts << QStringLiteral("path=") + s.path;
    if (s.hasKeepProportions)
        parts << QStringLiteral("keep=") + (s.keepProportions ? QStringLiteral("yes") : QStringLiteral("no"));
    if (s.hasColorOverlay) {
        parts << QStringLiteral("overlay=")
                + (s.colorOverlay.isValid() ? QStringLiteral("%1,%2,%3,%4")
                                                  .arg(s.colorOverlay.red())
                                                  .arg(s.colorOverlay.green())
                                                  .arg(s.colorOverlay.blue())
                                                  .arg(s.colorOverlay.alpha())
                                            : QStringLiteral("invalid"));
    }
    if (s.blur.present) {
        parts << QStringLiteral("blur");
        if (s.blur.hasEnable)
            parts << QStringLiteral("blur.enable=") + (s.blur.enable ? QStringLiteral("yes") : QStringLiteral("no"));
        if (s.blur.hasRadius) {
            const double r = s.blur.radius;
            parts << QStringLiteral("blur.radius=")
                    + (std::isnan(r)        ? QStringLiteral("nan")
                            : std::isinf(r) ? (r > 0 ? QStringLiteral("+inf") : QStringLiteral("-inf"))
                                            : QString::number(r));
        }
    }
    if (s.logo.present) {
        parts << QStringLiteral("logo");
        if (s.logo.hasEnable)
            parts << QStringLiteral("logo.enable=") + (s.logo.enable ? QStringLiteral("yes") : QStringLiteral("no"));
        if (s.logo.hasPath)
            parts << QStringLiteral("logo.path=") + s.logo.path;
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class ThemeSettingsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void background_data();
    void background();
    void sessionAliases_data();
    void sessionAliases();
    void syntaxErrorNamesLineAndColumnAndKeepsDocument();
    void missingFileThenQuestions();
    void freshObjectHasNothing();
    void defaultThemeSettingsRead();

private:
    QString write(const QByteArray& content);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString ThemeSettingsTest::write(const QByteArray& content)
{
    const QString path = m_dir.filePath(QStringLiteral("settings%1.yaml").arg(++m_files));
    TestFiles::write(path, content);
    return path;
}

void ThemeSettingsTest::background_data()
{
    QTest::addColumn<QByteArray>("yaml");
    QTest::addColumn<QString>("expected"); // the description, or "error: <part of yaml-cpp's message>"

    // clang-format off
    QTest::newRow("empty file") << QByteArray("") << QStringLiteral("absent");
    QTest::newRow("no background") << QByteArray("other: 1\n") << QStringLiteral("absent");
    QTest::newRow("full section")
        << QByteArray("background:\n  path: pictures/wall.jpg\n  keep_proportions: true\n  color_overlay: [10, 20, 30, 128]\n"
                      "  blur:\n    enable: yes\n    radius: 4.5\n  logo:\n    enable: off\n    path: /opt/logo.png\n")
        << QStringLiteral("present path=pictures/wall.jpg keep=yes overlay=10,20,30,128 blur blur.enable=yes "
                          "blur.radius=4.5 logo logo.enable=no logo.path=/opt/logo.png");
    QTest::newRow("default wallpaper keyword") << QByteArray("background:\n  path: nimb-default-modern\n")
                                                 << QStringLiteral("present path=nimb-default-modern");
    QTest::newRow("unicode path") << QByteArray("background:\n  path: \"фон.png\"\n") << QStringLiteral("present path=фон.png");
    QTest::newRow("overlay of four, half-transparent black") << QByteArray("background:\n  color_overlay: [0, 0, 0, 128]\n")
                                                              << QStringLiteral("present overlay=0,0,0,128");
    QTest::newRow("overlay of three is opaque") << QByteArray("background:\n  color_overlay: [0, 0, 0]\n")
                                                << QStringLiteral("present overlay=0,0,0,255");
    QTest::newRow("overlay out of range") << QByteArray("background:\n  color_overlay: [300, 0, 0]\n")
                                          << QStringLiteral("present overlay=invalid");
    QTest::newRow("overlay negative") << QByteArray("background:\n  color_overlay: [0, -1, 0, 10]\n")
                                      << QStringLiteral("present overlay=invalid");
    QTest::newRow("overlay of two") << QByteArray("background:\n  color_overlay: [1, 2]\n")
                                    << QStringLiteral("present overlay=invalid");
    QTest::newRow("overlay of five") << QByteArray("background:\n  color_overlay: [1, 2, 3, 4, 5]\n")
                                     << QStringLiteral("present overlay=invalid");
    QTest::newRow("overlay not a list") << QByteArray("background:\n  color_overlay: red\n")
                                        << QStringLiteral("error: bad conversion");
    QTest::newRow("overlay of words") << QByteArray("background:\n  color_overlay: [a, b, c]\n")
                                      << QStringLiteral("error: bad conversion");
    QTest::newRow("blur with only a radius") << QByteArray("background:\n  blur:\n    radius: 7\n")
                                             << QStringLiteral("present blur blur.radius=7");
    QTest::newRow("blur radius +.inf") << QByteArray("background:\n  blur:\n    radius: +.inf\n")
                                       << QStringLiteral("present blur blur.radius=+inf");
    QTest::newRow("blur radius -.Inf") << QByteArray("background:\n  blur:\n    radius: -.Inf\n")
                                       << QStringLiteral("present blur blur.radius=-inf");
    QTest::newRow("blur radius .NaN") << QByteArray("background:\n  blur:\n    radius: .NaN\n")
                                      << QStringLiteral("present blur blur.radius=nan");
    QTest::newRow("blur radius not a number") << QByteArray("background:\n  blur:\n    radius: wide\n")
                                              << QStringLiteral("error: bad conversion");
    QTest::newRow("enable not a boolean") << QByteArray("background:\n  blur:\n    enable: maybe\n")
                                          << QStringLiteral("error: bad conversion");
    QTest::newRow("keep_proportions not a boolean") << QByteArray("background:\n  keep_proportions: 2\n")
                                                    << QStringLiteral("error: bad conversion");
    QTest::newRow("path is a map") << QByteArray("background:\n  path:\n    a: b\n") << QStringLiteral("error: bad conversion");
    QTest::newRow("logo at the top level is not seen") << QByteArray("logo:\n  enable: true\nbackground:\n  path: a.png\n")
                                                       << QStringLiteral("present path=a.png");
    QTest::newRow("empty blur and logo maps") << QByteArray("background:\n  blur: {}\n  logo: {}\n")
                                              << QStringLiteral("present blur logo");
    QTest::newRow("background is a scalar") << QByteArray("background: plain\n")
                                            << QStringLiteral("error: operator[] call on a scalar");
    QTest::newRow("blur is a scalar") << QByteArray("background:\n  blur: 5\n")
                                      << QStringLiteral("error: operator[] call on a scalar");
    QTest::newRow("logo is a scalar") << QByteArray("background:\n  logo: yes\n")
                                      << QStringLiteral("error: operator[] call on a scalar");
    QTest::newRow("document is a scalar") << QByteArray("just words\n") << QStringLiteral("error: operator[] call on a scalar");
    QTest::newRow("background is a sequence: keys absent") << QByteArray("background:\n  - path\n  - blur\n")
                                                          << QStringLiteral("present");
    QTest::newRow("blur is a sequence: keys absent") << QByteArray("background:\n  blur: [1, 2]\n")
                                                   << QStringLiteral("present blur");
    QTest::newRow("document is a sequence") << QByteArray("- background\n") << QStringLiteral("absent");
    // clang-format on
}

void ThemeSettingsTest::background()
{
    QFETCH(QByteArray, yaml);
    QFETCH(QString, expected);
    ThemeSettings settings;
    settings.load(write(yaml));
    if (expected.startsWith(QLatin1String("error: "))) {
        try {
            settings.background();
            QFAIL("no exception");
        } catch (const std::exception& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(expected.mid(7)), e.what());
        }
        return;
    }
    QCOMPARE(describe(settings.background()), expected);
}

void ThemeSettingsTest::sessionAliases_data()
{
    QTest::addColumn<QByteArray>("yaml");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected"); // "type=alias;..." or "error: ..."

    const QByteArray two = "menu_session_aliases:\n"
                           "  - session_type: xfce\n    alias:\n      ru: Рабочий стол Xfce\n      en: Xfce\n"
                           "  - session_type: plasma\n    alias:\n      en: Plasma desktop\n"
                           "  - session_type: xfce\n    alias:\n      en: Xfce again\n";
    // clang-format off
    QTest::newRow("later entry wins") << two << QStringLiteral("en") << QStringLiteral("plasma=Plasma desktop;xfce=Xfce again");
    QTest::newRow("entry without the language is skipped") << two << QStringLiteral("ru") << QStringLiteral("xfce=Рабочий стол Xfce");
    QTest::newRow("language compared exactly") << two << QStringLiteral("EN") << QString();
    QTest::newRow("entry without session_type is skipped")
        << QByteArray("menu_session_aliases:\n  - alias:\n      en: Lost\n") << QStringLiteral("en") << QString();
    QTest::newRow("not a sequence") << QByteArray("menu_session_aliases:\n  xfce: Xfce\n") << QStringLiteral("en") << QString();
    QTest::newRow("absent") << QByteArray("background:\n  path: a\n") << QStringLiteral("en") << QString();
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("en") << QString();
    QTest::newRow("entry without alias ends the call")
        << QByteArray("menu_session_aliases:\n  - session_type: xfce\n") << QStringLiteral("en")
        << QStringLiteral("error: invalid node");
    QTest::newRow("alias is a scalar")
        << QByteArray("menu_session_aliases:\n  - session_type: xfce\n    alias: Xfce\n") << QStringLiteral("en")
        << QStringLiteral("error: operator[] call on a scalar");
    QTest::newRow("entry is a scalar") << QByteArray("menu_session_aliases:\n  - xfce\n") << QStringLiteral("en")
                                       << QStringLiteral("error: operator[] call on a scalar");
    QTest::newRow("alias text is a map")
        << QByteArray("menu_session_aliases:\n  - session_type: xfce\n    alias:\n      en:\n        x: y\n")
        << QStringLiteral("en") << QStringLiteral("error: bad conversion");
    QTest::newRow("session_type is a sequence")
        << QByteArray("menu_session_aliases:\n  - session_type: [a]\n    alias:\n      en: A\n")
        << QStringLiteral("en") << QStringLiteral("error: bad conversion");
    // clang-format on
}

void ThemeSettingsTest::sessionAliases()
{
    QFETCH(QByteArray, yaml);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    ThemeSettings settings;
    settings.load(write(yaml));
    if (expected.startsWith(QLatin1String("error: "))) {
        try {
            settings.sessionAliases(language);
            QFAIL("no exception");
        } catch (const std::exception& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(expected.mid(7)), e.what());
        }
        return;
    }
    QStringList pairs;
    const QMap<QString, QString> aliases = settings.sessionAliases(language);
    for (auto it = aliases.cbegin(); it != aliases.cend(); ++it)
        pairs << it.key() + QLatin1Char('=') + it.value();
    QCOMPARE(pairs.join(QLatin1Char(';')), expected);
}

void ThemeSettingsTest::syntaxErrorNamesLineAndColumnAndKeepsDocument()
{
    ThemeSettings settings;
    settings.load(write("background:\n  path: good.png\n"));
    try {
        settings.load(write("background:\n  path: [unclosed\n  blur: {\n"));
        QFAIL("no exception");
    } catch (const std::exception& e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(
                     QRegularExpression(QStringLiteral("^yaml-cpp: error at line \\d+, column \\d+: "))),
            e.what());
    }
    QCOMPARE(describe(settings.background()), QStringLiteral("present path=good.png"));
}

void ThemeSettingsTest::missingFileThenQuestions()
{
    ThemeSettings settings;
    QVERIFY_EXCEPTION_THROWN(settings.load(m_dir.filePath(QStringLiteral("absent/settings.yaml"))), std::exception);
    QCOMPARE(describe(settings.background()), QStringLiteral("absent"));
    QVERIFY(settings.sessionAliases(QStringLiteral("en")).isEmpty());
}

void ThemeSettingsTest::freshObjectHasNothing()
{
    const ThemeSettings settings;
    const BackgroundSettings background = settings.background();
    QVERIFY(!background.present);
    QVERIFY(!background.colorOverlay.isValid());
    QCOMPARE(background.blur.radius, 0.0);
    QVERIFY(settings.sessionAliases(QString()).isEmpty());
}

void ThemeSettingsTest::defaultThemeSettingsRead()
{
    ThemeSettings settings;
    settings.load(QStringLiteral(MODERN_THEME_DIR "/settings.yaml"));
    QCOMPARE(describe(settings.background()),
        QStringLiteral("present path=nimb-default-modern keep=yes overlay=12,16,24,110 blur blur.enable=yes "
                       "blur.radius=12 logo logo.enable=yes"));
    QCOMPARE(settings.sessionAliases(QStringLiteral("ru")).value(QStringLiteral("gnome-xorg")),
        QStringLiteral("GNOME на Xorg"));
}

QTEST_GUILESS_MAIN(ThemeSettingsTest)
#include "tst_themesettings.moc"
