// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The contrast meter on texts whose colours are known: labels on a plain panel laid over the
// real login screen, each read back from the screen's pictures as the preview reads them.
#include "ContrastMeter.h"
#include "PreviewHost.h"
#include "PreviewRoot.h"
#include "Scenario.h"

#include "BaseThemeWidget.h"
#include "NewPasswordDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class ContrastMeterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void knownColours_data();
    void knownColours();
    void hiddenTextIsNotMeasured();
    void passwordDialogIsReadable();

private:
    QWidget* addText(const QString& name, const QString& styleSheet, QWidget* parent = nullptr);

    Scenario m_scenario;
    std::unique_ptr<PreviewRoot> m_root;
    std::unique_ptr<PreviewHost> m_host;
    QWidget* m_panel = nullptr;
    int m_texts = 0;
    QList<ContrastMeter::Reading> m_readings;
};

QWidget* ContrastMeterTest::addText(const QString& name, const QString& styleSheet, QWidget* parent)
{
    // Upright strokes, so the core of the text is drawn in its full colour.
    QWidget* text = name.startsWith(QLatin1String("button"))
        ? static_cast<QWidget*>(new QPushButton(QStringLiteral("HIIH"), parent ? parent : m_panel))
        : new QLabel(QStringLiteral("HIIH"), parent ? parent : m_panel);
    text->setObjectName(name);
    text->setStyleSheet(styleSheet);
    text->setGeometry(40, 20 + 44 * m_texts++, 200, 40);
    return text;
}

void ContrastMeterTest::initTestCase()
{
    ScenarioAccount anna;
    anna.login = anna.password = QStringLiteral("anna");
    m_scenario.accounts << anna;
    m_root = std::make_unique<PreviewRoot>(m_scenario);
    QVERIFY2(m_root->isValid(), qPrintable(m_root->errorString()));
    PreviewConfig config;
    config.themeDir = QStringLiteral(MODERN_THEME_DIR);
    config.plugin = QStringLiteral(STANDARD_THEME_PLUGIN);
    config.geometry = QSize(800, 600);
    config.prevUserFile = m_root->filePath(QStringLiteral("/var/lib/nimb-dm/prev-user.ini"));
    m_host = std::make_unique<PreviewHost>(m_scenario, config);
    m_host->start();
    QVERIFY(QTest::qWaitForWindowExposed(m_host->widget()));

    // A plain panel over the whole screen hides the theme: only the texts below are on show.
    m_panel = new QWidget(m_host->widget());
    m_panel->setObjectName(QStringLiteral("panel"));
    m_panel->setStyleSheet(QStringLiteral("#panel { background-color: #404040; }"));
    m_panel->setAttribute(Qt::WA_StyledBackground);
    m_panel->setGeometry(m_host->widget()->rect());

    addText(QStringLiteral("white"), QStringLiteral("QLabel { color: #FFFFFF; font: 16px; }"));
    addText(QStringLiteral("greyOnWhite"),
        QStringLiteral("QLabel { color: #767676; background-color: #FFFFFF; font: 16px; }"));
    addText(QStringLiteral("blackOnYellow24"),
        QStringLiteral("QLabel { color: #000000; background-color: #FFFF00; font: 24px; }"));
    addText(QStringLiteral("plain23"), QStringLiteral("QLabel { color: #FFFFFF; font: 23px; }"));
    addText(QStringLiteral("bold19"), QStringLiteral("QLabel { color: #FFFFFF; font: bold 19px; }"));
    addText(QStringLiteral("bold18"), QStringLiteral("QLabel { color: #FFFFFF; font: bold 18px; }"));
    addText(QStringLiteral("greyOnPanel"), QStringLiteral("QLabel { color: #808080; font: 16px; }"));
    addText(QStringLiteral("largeGrey"), QStringLiteral("QLabel { color: #8A8A8A; font: 24px; }"));
    addText(QStringLiteral("declarations"), QStringLiteral("color: #767676; background-color: #FFFFFF; font: 16px;"));
    addText(QStringLiteral("button"),
        QStringLiteral("QPushButton { color: #FFFFFF; background-color: #2D6A99; "
                       "border: none; font: bold 13px; }"));
    addText(QStringLiteral("hiddenLabel"), QStringLiteral("QLabel { color: #FFFFFF; }"))->hide();
    auto* hiddenBox = new QWidget(m_panel);
    hiddenBox->hide();
    addText(QStringLiteral("inHiddenBox"), QStringLiteral("QLabel { color: #FFFFFF; }"), hiddenBox);
    m_panel->show();
    m_panel->raise();

    m_readings = ContrastMeter::measure(*m_host);
}

void ContrastMeterTest::cleanupTestCase()
{
    m_host.reset();
    m_root.reset();
}

void ContrastMeterTest::knownColours_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("foreground");
    QTest::addColumn<QString>("background");
    QTest::addColumn<double>("ratio"); ///< by the guidelines' formula, worked out by hand
    QTest::addColumn<bool>("large");
    QTest::addColumn<bool>("passes");
    // clang-format off
    QTest::newRow("white on the panel") << "white" << "#ffffff" << "#404040" << 10.37 << false << true;
    QTest::newRow("the lowest grey on white") << "greyOnWhite" << "#767676" << "#ffffff" << 4.54 << false << true;
    QTest::newRow("24 px is large") << "blackOnYellow24" << "#000000" << "#ffff00" << 19.56 << true << true;
    QTest::newRow("23 px is not") << "plain23" << "#ffffff" << "#404040" << 10.37 << false << true;
    QTest::newRow("bold 19 px is large") << "bold19" << "#ffffff" << "#404040" << 10.37 << true << true;
    QTest::newRow("bold 18 px is not") << "bold18" << "#ffffff" << "#404040" << 10.37 << false << true;
    QTest::newRow("too faint") << "greyOnPanel" << "#808080" << "#404040" << 2.63 << false << false;
    QTest::newRow("3:1 is enough when large") << "largeGrey" << "#8a8a8a" << "#404040" << 3.0 << true << true;
    QTest::newRow("a sheet of bare declarations") << "declarations" << "#767676" << "#ffffff" << 4.54 << false << true;
    QTest::newRow("styled button") << "button" << "#ffffff" << "#2d6a99" << 5.78 << false << true;
    // clang-format on
}

void ContrastMeterTest::knownColours()
{
    QFETCH(QString, widget);
    QFETCH(QString, foreground);
    QFETCH(QString, background);
    QFETCH(double, ratio);
    QFETCH(bool, large);
    QFETCH(bool, passes);

    const auto reading = std::find_if(m_readings.cbegin(), m_readings.cend(),
        [&widget](const ContrastMeter::Reading& r) { return r.widget == widget; });
    QVERIFY2(reading != m_readings.cend(), qPrintable(widget + QStringLiteral(" was not measured")));
    QCOMPARE(reading->text, QStringLiteral("HIIH"));
    QCOMPARE(reading->foreground.name(), foreground);
    QCOMPARE(reading->background.name(), background);
    QVERIFY2(qAbs(reading->ratio - ratio) < 0.01, qPrintable(QString::number(reading->ratio)));
    const double formula = ContrastMeter::ratio(QColor(foreground), QColor(background));
    QVERIFY2(qAbs(formula - ratio) < 0.01, qPrintable(QString::number(formula)));
    QCOMPARE(reading->large, large);
    QCOMPARE(ContrastMeter::passes(*reading), passes);
}

void ContrastMeterTest::hiddenTextIsNotMeasured()
{
    QStringList measured;
    for (const ContrastMeter::Reading& reading : qAsConst(m_readings))
        measured << reading.widget;
    QVERIFY2(!measured.contains(QStringLiteral("hiddenLabel")), qPrintable(measured.join(QLatin1Char(' '))));
    QVERIFY2(!measured.contains(QStringLiteral("inHiddenBox")), qPrintable(measured.join(QLatin1Char(' '))));
}

void ContrastMeterTest::passwordDialogIsReadable()
{
    // The dialog as the theme opens it, over the screen, with its message and with an error.
    NewPasswordDialog dialog(m_host->widget(), false);
    dialog.move(m_host->widget()->mapToGlobal(QPoint(300, 300)));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QStringList texts;
    for (int pass = 0; pass < 2; ++pass) {
        for (const ContrastMeter::Reading& reading : ContrastMeter::measure(*m_host)) {
            if (!reading.widget.startsWith(QLatin1Char('Q')))
                continue;
            texts << reading.text;
            QVERIFY2(ContrastMeter::passes(reading),
                qPrintable(reading.text + QLatin1Char(' ') + QString::number(reading.ratio)));
        }
        dialog.showErrorMessage(QStringLiteral("Password unchanged"), true);
    }
    QVERIFY2(texts.contains(QStringLiteral("OK")) && texts.contains(QStringLiteral("Password unchanged")),
        qPrintable(texts.join(QLatin1String(", "))));
}

QTEST_MAIN(ContrastMeterTest)
#include "tst_contrastmeter.moc"
