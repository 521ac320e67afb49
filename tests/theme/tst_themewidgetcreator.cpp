// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "BaseThemeWidget.h"
#include "Exceptions.h"
#include "GreeterManagers.h"
#include "LocalAuthManager.h"
#include "SystemInfo.h"
#include "TestFiles.h"
#include "ThemeInfo.h"
#include "ThemeWidgetCreator.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace
{

const QString formsDir = QStringLiteral(TEST_FORMS_DIR);

SystemInfo systemInfoWith(const QStringList& plugins, const QString& language = QString())
{
    SystemInfo info;
    info.loginPlugins = plugins;
    info.language = language;
    return info;
}

} // namespace

class ThemeWidgetCreatorTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void loadsPluginAndRunsSetup();
    void onlyTheFirstPluginIsTried();
    void emptyPluginListThrows();
    void unusablePluginsThrowWithNames_data();
    void unusablePluginsThrowWithNames();
    void setupFailurePassesToHost();

    void formFromPath();
    void formResourcesResolveAgainstItsDirectory();
    void formFromOpenFileKeepsFileOpen();
    void formFromPathThrowsForMissingFile();
    void notAFormGivesNull();

private:
    std::unique_ptr<QTemporaryDir> m_themeDir;
};

void ThemeWidgetCreatorTest::init()
{
    m_themeDir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_themeDir->path()).mkdir(QStringLiteral("fixture")));
    QVERIFY(TestFiles::write(m_themeDir->filePath(QStringLiteral("fixture/RezGreeterTheme.desktop")),
        "[RezGreeterTheme]\nGreeter=fixture.ui\nPlugin=fixture-theme\n"));
}

void ThemeWidgetCreatorTest::loadsPluginAndRunsSetup()
{
    ThemeInfo info(m_themeDir->filePath(QStringLiteral("fixture")));
    info.read();
    GreeterManagers managers({ new LocalAuthManager(0, QString()) });

    std::unique_ptr<BaseThemeWidget> widget(ThemeWidgetCreator::create(
        info, systemInfoWith({ QStringLiteral(FIXTURE_THEME_PLUGIN) }, QStringLiteral("ru")), &managers));
    QVERIFY(widget);
    QVERIFY(!widget->parent());
    QCOMPARE(widget->property("descriptionPath").toString(), info.description().path());
    QCOMPARE(widget->property("descriptionPlugin").toString(), QStringLiteral("fixture-theme"));
    QCOMPARE(widget->property("managersAddress").value<quintptr>(), reinterpret_cast<quintptr>(&managers));
    QCOMPARE(widget->property("language").toString(), QStringLiteral("ru"));
    QCOMPARE(widget->property("localAuthId").toString(), QStringLiteral("localAuth"));
    QVERIFY(widget->backgroundPixmap().isNull());

    // The library stays loaded: a second widget from the same plug-in works as well.
    std::unique_ptr<BaseThemeWidget> second(
        ThemeWidgetCreator::create(info, systemInfoWith({ QStringLiteral(FIXTURE_THEME_PLUGIN) }), &managers));
    QVERIFY(second);
}

void ThemeWidgetCreatorTest::onlyTheFirstPluginIsTried()
{
    ThemeInfo info(m_themeDir->filePath(QStringLiteral("fixture")));
    const QString missing = m_themeDir->filePath(QStringLiteral("no-such-plugin.so"));
    try {
        delete ThemeWidgetCreator::create(
            info, systemInfoWith({ missing, QStringLiteral(FIXTURE_THEME_PLUGIN) }), nullptr);
        QFAIL("fell back to the second plug-in");
    } catch (const CommonException& e) {
        QVERIFY2(e.fullDetails().startsWith(
                     QStringLiteral("'%1' greeter plugine not supported 'fixture' theme. ").arg(missing)),
            qPrintable(e.fullDetails()));
    }

    std::unique_ptr<BaseThemeWidget> widget(
        ThemeWidgetCreator::create(info, systemInfoWith({ QStringLiteral(FIXTURE_THEME_PLUGIN), missing }), nullptr));
    QVERIFY(widget);
}

void ThemeWidgetCreatorTest::emptyPluginListThrows()
{
    ThemeInfo info(m_themeDir->filePath(QStringLiteral("fixture")));
    try {
        delete ThemeWidgetCreator::create(info, SystemInfo(), nullptr);
        QFAIL("no exception");
    } catch (const CommonException& e) {
        QCOMPARE(e.fullDetails(), QStringLiteral("Login plugins is empty"));
    }
}

void ThemeWidgetCreatorTest::unusablePluginsThrowWithNames_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("reasonPart");
    // Each reason as Qt's plug-in loader or the creator words it, after the plug-in's name.
    QTest::newRow("missing file") << m_themeDir->filePath(QStringLiteral("absent.so"))
                                  << QStringLiteral("theme. The shared library was not found.");
    QTest::newRow("bare name not installed")
        << QStringLiteral("no-such-theme-for-tests") << QStringLiteral("theme. The shared library was not found.");
    QTest::newRow("library that is not a plug-in")
        << QStringLiteral(FIXTURE_NOT_PLUGIN) << QStringLiteral("theme. Failed to extract plugin meta data");
    QTest::newRow("plug-in of another interface")
        << QStringLiteral(FIXTURE_OTHER_PLUGIN) << QStringLiteral("nimb-qdm/0.0");
}

void ThemeWidgetCreatorTest::unusablePluginsThrowWithNames()
{
    QFETCH(QString, plugin);
    QFETCH(QString, reasonPart);

    // A text file named like a library must be refused as well.
    QVERIFY(TestFiles::write(m_themeDir->filePath(QStringLiteral("text.so")), "not a library"));

    ThemeInfo info(m_themeDir->filePath(QStringLiteral("fixture")));
    try {
        delete ThemeWidgetCreator::create(info, systemInfoWith({ plugin }), nullptr);
        QFAIL("no exception");
    } catch (const CommonException& e) {
        const QString prefix = QStringLiteral("'%1' greeter plugine not supported 'fixture' theme. ").arg(plugin);
        QVERIFY2(e.fullDetails().startsWith(prefix), qPrintable(e.fullDetails()));
        QVERIFY2(e.fullDetails().size() > prefix.size(), "the reason is missing");
        QVERIFY2(e.fullDetails().contains(reasonPart), qPrintable(e.fullDetails()));
    }

    const QString textFile = m_themeDir->filePath(QStringLiteral("text.so"));
    QVERIFY_EXCEPTION_THROWN(ThemeWidgetCreator::create(info, systemInfoWith({ textFile }), nullptr), CommonException);
}

void ThemeWidgetCreatorTest::setupFailurePassesToHost()
{
    ThemeInfo info(m_themeDir->filePath(QStringLiteral("fixture")));
    try {
        delete ThemeWidgetCreator::create(
            info, systemInfoWith({ QStringLiteral(FIXTURE_THEME_PLUGIN) }, QStringLiteral("throw")), nullptr);
        QFAIL("no exception");
    } catch (const DetailsException& e) {
        QCOMPARE(e.fullDetails(), QStringLiteral("fixture theme refuses to set up"));
    }
}

void ThemeWidgetCreatorTest::formFromPath()
{
    std::unique_ptr<QWidget> form(ThemeWidgetCreator::create(formsDir + QStringLiteral("/simple_form.ui")));
    QVERIFY(form);
    QVERIFY(!form->parent());
    QCOMPARE(form->objectName(), QStringLiteral("simpleForm"));
    QVERIFY(form->findChild<QLineEdit*>(QStringLiteral("passwordLineEdit")));
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), QStringLiteral("Title"));
}

void ThemeWidgetCreatorTest::formResourcesResolveAgainstItsDirectory()
{
    QTemporaryDir theme;
    QVERIFY(
        QFile::copy(formsDir + QStringLiteral("/relative_pixmap_form.ui"), theme.filePath(QStringLiteral("form.ui"))));
    QVERIFY(QDir(theme.path()).mkdir(QStringLiteral("pictures")));
    QImage face(12, 7, QImage::Format_ARGB32);
    face.fill(Qt::red);
    QVERIFY(face.save(theme.filePath(QStringLiteral("pictures/face.png"))));

    QVERIFY(QDir::current() != QDir(theme.path()));
    std::unique_ptr<QWidget> form(ThemeWidgetCreator::create(theme.filePath(QStringLiteral("form.ui"))));
    QVERIFY(form);
    auto* label = form->findChild<QLabel*>(QStringLiteral("pictureLabel"));
    QVERIFY(label);
    QVERIFY(label->pixmap(Qt::ReturnByValue).size() == QSize(12, 7));
}

void ThemeWidgetCreatorTest::formFromOpenFileKeepsFileOpen()
{
    QFile file(formsDir + QStringLiteral("/simple_form.ui"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    file.readAll();
    std::unique_ptr<QWidget> first(ThemeWidgetCreator::create(&file));
    QVERIFY(first);
    QVERIFY(file.isOpen());
    // Read from the start again: the position left by the first load does not matter.
    std::unique_ptr<QWidget> second(ThemeWidgetCreator::create(&file));
    QVERIFY(second);
    QCOMPARE(second->objectName(), QStringLiteral("simpleForm"));
}

void ThemeWidgetCreatorTest::formFromPathThrowsForMissingFile()
{
    QVERIFY_EXCEPTION_THROWN(
        ThemeWidgetCreator::create(formsDir + QStringLiteral("/absent.ui")), FileNotExistsException);
    QVERIFY_EXCEPTION_THROWN(ThemeWidgetCreator::create(formsDir), OpenFileException);
}

void ThemeWidgetCreatorTest::notAFormGivesNull()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    std::unique_ptr<QWidget> form(ThemeWidgetCreator::create(formsDir + QStringLiteral("/not_a_form.ui")));
    QVERIFY(!form);
}

QTEST_MAIN(ThemeWidgetCreatorTest)
#include "tst_themewidgetcreator.moc"
