// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The default theme's pictures and catalogue as the build lays them out: a wallpaper and a
// logo for every screen, and the Russian texts of the theme's forms.
#include "StderrCapture.h"
#include "SystemPaths.h"
#include "ThemeWidgetCreator.h"
#include "WallpaperUtils.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <cmath>
#include <memory>

namespace
{

const QString themeDir = QStringLiteral(MODERN_THEME_BUILD_DIR);

QString findWallpaper(const QSize& screen)
{
    StderrCapture misses; // each lookup that fails before the last one is reported
    return QString::fromStdString(Utils::FindNimbWallPaper(screen.width(), screen.height(), nullptr, QString()));
}

} // namespace

class DefaultWallpaperTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void wallpaperFitsEveryScreen_data();
    void wallpaperFitsEveryScreen();
    void logoFitsEveryWidth_data();
    void logoFitsEveryWidth();

    void catalogueTranslatesTheForms_data();
    void catalogueTranslatesTheForms();
    void catalogueHasEveryTextOfTheForms_data();
    void catalogueHasEveryTextOfTheForms();

private:
    QString m_previousRoot;
    QTranslator m_catalogue;
};

void DefaultWallpaperTest::initTestCase()
{
    m_previousRoot = SystemPaths::root();
    SystemPaths::setRoot(QStringLiteral(BUILD_SYSTEM_ROOT));
    QVERIFY(m_catalogue.load(themeDir + QStringLiteral("/modern_ru.qm")));
}

void DefaultWallpaperTest::cleanupTestCase()
{
    QCoreApplication::removeTranslator(&m_catalogue);
    SystemPaths::setRoot(m_previousRoot);
}

void DefaultWallpaperTest::wallpaperFitsEveryScreen_data()
{
    QTest::addColumn<QSize>("screen");
    // Every ratio the lookup snaps to in both orientations, the common sizes, and screens
    // a little off their ratio or off every ratio.
    // clang-format off
    const QSize screens[] = {
        { 1600, 1200 }, { 1280, 1024 }, { 1920, 1280 }, { 1920, 1200 }, { 1920, 1080 }, { 2560, 1080 }, { 3840, 1080 },
        { 1200, 1600 }, { 1024, 1280 }, { 1280, 1920 }, { 1200, 1920 }, { 1080, 1920 }, { 1080, 2560 }, { 1080, 3840 },
        { 1366, 768 }, { 1360, 768 }, { 1280, 720 }, { 1024, 768 }, { 1440, 900 }, { 1536, 864 }, { 1600, 900 },
        { 1280, 800 }, { 2560, 1440 }, { 3840, 2160 }, { 2560, 1600 }, { 3440, 1440 }, { 1024, 600 }, { 768, 1366 },
        { 1280, 768 }, { 800, 480 }, { 480, 800 },
    };
    // clang-format on
    for (const QSize& screen : screens)
        QTest::addRow("%dx%d", screen.width(), screen.height()) << screen;
}

void DefaultWallpaperTest::wallpaperFitsEveryScreen()
{
    QFETCH(QSize, screen);
    const QString path = findWallpaper(screen);
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
    const QPixmap picture(path);
    QVERIFY2(!picture.isNull(), qPrintable(path));
    // The background scales the picture to cover the screen and cuts off what is left over:
    // a picture of another shape would lose a good part of itself.
    const double mismatch = std::log(double(picture.width()) / picture.height() * screen.height() / screen.width());
    QVERIFY2(std::fabs(mismatch) < 0.031,
        qPrintable(QStringLiteral("%1 is %2x%3").arg(path).arg(picture.width()).arg(picture.height())));
    // Opaque pictures are composed without blending.
    QVERIFY(!picture.hasAlphaChannel());
}

void DefaultWallpaperTest::logoFitsEveryWidth_data()
{
    QTest::addColumn<int>("width");
    for (int width : { 640, 800, 801, 1024, 1280, 1366, 1920, 1921, 2560, 3840 })
        QTest::addRow("%d", width) << width;
}

void DefaultWallpaperTest::logoFitsEveryWidth()
{
    QFETCH(int, width);
    const QString path = QString::fromStdString(Utils::NimbDefaultLogoPath(
        QFile::encodeName(SystemPaths::defaultLogoBase()).toStdString(), width, width * 9 / 16, "white"));
    QVERIFY2(path.endsWith(QStringLiteral("_white.png")), qPrintable(path));
    const QPixmap logo(path);
    QVERIFY2(!logo.isNull(), qPrintable(path));
    QVERIFY(logo.hasAlphaChannel());
    // Modest in the corner on every screen the size serves.
    QVERIFY2(logo.width() >= width * 0.035 && logo.width() <= width * 0.09, qPrintable(QString::number(logo.width())));
}

void DefaultWallpaperTest::catalogueTranslatesTheForms_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("russian");
    QTest::newRow("login area") << QStringLiteral("central_widget.ui") << QStringLiteral("passwordLineEdit")
                                << QByteArray("placeholderText") << QStringLiteral("Пароль");
    QTest::newRow("vertical cell") << QStringLiteral("vertical_user_item.ui") << QStringLiteral("isLoggedLabel")
                                   << QByteArray("accessibleName") << QStringLiteral("Вход выполнен");
    QTest::newRow("horizontal cell") << QStringLiteral("horizontal_user_item.ui") << QStringLiteral("iconLabel")
                                     << QByteArray("accessibleName") << QStringLiteral("Изображение пользователя");
}

void DefaultWallpaperTest::catalogueTranslatesTheForms()
{
    QFETCH(QString, form);
    QFETCH(QString, widget);
    QFETCH(QByteArray, property);
    QFETCH(QString, russian);
    QVERIFY(QCoreApplication::installTranslator(&m_catalogue));
    const std::unique_ptr<QWidget> root(ThemeWidgetCreator::create(themeDir + QLatin1Char('/') + form));
    QCoreApplication::removeTranslator(&m_catalogue);
    QVERIFY(root);
    const QWidget* child = root->findChild<QWidget*>(widget);
    QVERIFY(child);
    QCOMPARE(child->property(property.constData()).toString(), russian);
}

void DefaultWallpaperTest::catalogueHasEveryTextOfTheForms_data()
{
    QTest::addColumn<QString>("form");
    for (const char* form : { "central_widget.ui", "vertical_user_item.ui", "horizontal_user_item.ui" })
        QTest::newRow(form) << QString::fromLatin1(form);
}

void DefaultWallpaperTest::catalogueHasEveryTextOfTheForms()
{
    QFETCH(QString, form);
    // The loader translates in the context of the form's class, as the catalogue's source
    // was extracted; a text added to a form without a translation shows up here.
    QFile file(themeDir + QLatin1Char('/') + form);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QStringList untranslated;
    int texts = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("class") && context.isEmpty()) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("string")) {
            const bool translatable = xml.attributes().value(QLatin1String("notr")) != QLatin1String("true");
            const QString text = xml.readElementText();
            if (!translatable || text.isEmpty())
                continue;
            ++texts;
            if (m_catalogue.translate(context.toUtf8().constData(), text.toUtf8().constData()).isEmpty())
                untranslated << text;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(texts > 0);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral(" | "))));
}

QTEST_MAIN(DefaultWallpaperTest)
#include "tst_defaultwallpaper.moc"
