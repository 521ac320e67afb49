// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Dialog.h"
#include "PinPrompt.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace
{

QLineEdit* field(const QWidget& dialog, const QString& name)
{
    return dialog.findChild<QLineEdit*>(name);
}

/// Types @p text into @p widget key by key, also characters that have no key of their own.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar character : text) {
        if (character.unicode() < 0x80)
            QTest::keyClick(widget, character.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

/// The visible message box, if one is up.
QMessageBox* shownMessageBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

/// The visible PIN dialog, if one is up.
Dialog* shownDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

/**
 * Plays the user's part while the code under test sits in its own event loop: each step
 * is tried on a short timer until it reports that it could act. A step that never can
 * within the time limit ends the test program, since the prompt has no way out.
 */
class UserScript : public QObject
{
public:
    using Step = std::function<bool()>;
    explicit UserScript(QList<Step> steps)
        : m_steps(std::move(steps))
    {
        m_clock.start();
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start();
    }

    bool isDone() const { return m_steps.isEmpty(); }

private:
    void tick()
    {
        if (m_steps.isEmpty()) {
            m_timer.stop();
            return;
        }
        if (m_clock.elapsed() > 10000)
            qFatal("user script stuck with %d steps left", int(m_steps.size()));
        if (m_steps.first()())
            m_steps.removeFirst();
    }

    QList<Step> m_steps;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

} // namespace

class CodegateDialogTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formIsBuiltInCode();
    void modeShowsItsFields_data();
    void modeShowsItsFields();
    void dialogShrinksToItsRows();

    void fieldsTakeDigitsOnly_data();
    void fieldsTakeDigitsOnly();

    void answerChecks_data();
    void answerChecks(); // and the "Attention!" box that reports a refused answer

    void everyWayOutEndsTheRound_data();
    void everyWayOutEndsTheRound();

    void promptAsksAgainWithFreshDialog_data();
    void promptAsksAgainWithFreshDialog();
    void closingWithTypedPinAnswers();

    void russianCatalogueCoversEveryText();
};

void CodegateDialogTest::formIsBuiltInCode()
{
    Dialog dialog(true);
    QCOMPARE(dialog.objectName(), QStringLiteral("Dialog"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Enter your PIN"));
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    QVERIFY(grid);
    QCOMPARE(grid->objectName(), QStringLiteral("gridLayout"));

    struct Row {
        const char* label;
        const char* text;
        const char* field;
        int stretch;
    };
    const Row rows[] = {
        { "currentPINLabel", "Current PIN:", "currentPINLineEdit", 0 },
        { "typeNewPINLabel", "Type new PIN:", "typeNewPINLineEdit", 5 },
        { "retypeNewPINLabel", "Retype new PIN:", "retypeNewPINLineEdit", 5 },
    };
    for (int row = 0; row < 3; ++row) {
        auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget());
        QVERIFY(label);
        QCOMPARE(label->objectName(), QLatin1String(rows[row].label));
        QCOMPARE(label->text(), QLatin1String(rows[row].text));
        auto* edit = qobject_cast<QLineEdit*>(grid->itemAtPosition(row, 1)->widget());
        QVERIFY(edit);
        QCOMPARE(edit->objectName(), QLatin1String(rows[row].field));
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QCOMPARE(edit->maxLength(), 16);
        QVERIFY(edit->inputMask().isEmpty());
        QCOMPARE(edit->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
        QCOMPARE(edit->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(edit->sizePolicy().horizontalStretch(), rows[row].stretch);
    }

    QSpacerItem* spacer = grid->itemAtPosition(3, 0)->spacerItem();
    QVERIFY(spacer);
    QCOMPARE(grid->itemAtPosition(3, 1), grid->itemAtPosition(3, 0));
    QCOMPARE(spacer->sizeHint(), QSize(218, 79));
    QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);

    auto* buttonBox = qobject_cast<QDialogButtonBox*>(grid->itemAtPosition(4, 1)->widget());
    QVERIFY(buttonBox);
    QCOMPARE(buttonBox->objectName(), QStringLiteral("buttonBox"));
    QCOMPARE(buttonBox->orientation(), Qt::Horizontal);
    QCOMPARE(buttonBox->standardButtons(), QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
    QVERIFY(!grid->itemAtPosition(4, 0));
}

void CodegateDialogTest::modeShowsItsFields_data()
{
    QTest::addColumn<bool>("currentPinMode");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QString>("focused");
    QTest::newRow("current PIN") << true
                                 << QStringList { QStringLiteral("currentPINLabel"),
                                        QStringLiteral("currentPINLineEdit") }
                                 << QStringList { QStringLiteral("typeNewPINLabel"),
                                        QStringLiteral("typeNewPINLineEdit"), QStringLiteral("retypeNewPINLabel"),
                                        QStringLiteral("retypeNewPINLineEdit") }
                                 << QStringLiteral("currentPINLineEdit");
    QTest::newRow("new PIN twice") << false
                                   << QStringList { QStringLiteral("typeNewPINLabel"),
                                          QStringLiteral("typeNewPINLineEdit"), QStringLiteral("retypeNewPINLabel"),
                                          QStringLiteral("retypeNewPINLineEdit") }
                                   << QStringList { QStringLiteral("currentPINLabel"),
                                          QStringLiteral("currentPINLineEdit") }
                                   << QStringLiteral("typeNewPINLineEdit");
}

void CodegateDialogTest::modeShowsItsFields()
{
    QFETCH(bool, currentPinMode);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);
    QFETCH(QString, focused);

    Dialog dialog(currentPinMode);
    QCOMPARE(dialog.isCurrentPinMode(), currentPinMode);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QString& name : shown) {
        auto* widget = dialog.findChild<QWidget*>(name);
        QVERIFY2(widget && widget->isVisible(), qPrintable(name));
        // A shown field has a digit validator of its own.
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            auto* validator = qobject_cast<const QRegularExpressionValidator*>(edit->validator());
            QVERIFY2(validator, qPrintable(name));
            QCOMPARE(validator->regularExpression().pattern(), QStringLiteral("[0-9]*"));
            QVERIFY(!(validator->regularExpression().patternOptions() & QRegularExpression::CaseInsensitiveOption));
        }
    }
    for (const QString& name : hidden) {
        auto* widget = dialog.findChild<QWidget*>(name);
        QVERIFY2(widget && widget->isHidden(), qPrintable(name));
    }
    QCOMPARE(dialog.focusWidget(), dialog.findChild<QWidget*>(focused));
    QCOMPARE(dialog.findChildren<QValidator*>().size(), currentPinMode ? 1 : 2);
}

void CodegateDialogTest::dialogShrinksToItsRows()
{
    Dialog current(true);
    Dialog twice(false);
    for (Dialog* dialog : { &current, &twice }) {
        QCOMPARE(dialog->size(), dialog->minimumSize());
        QVERIFY(dialog->width() >= 218);
    }
    // The hidden rows take no room.
    QCOMPARE(twice.height() - current.height(),
        twice.findChild<QLineEdit*>(QStringLiteral("retypeNewPINLineEdit"))->sizeHint().height()
            + twice.layout()->spacing());
}

void CodegateDialogTest::fieldsTakeDigitsOnly_data()
{
    QTest::addColumn<bool>("currentPinMode");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    const struct {
        bool mode;
        const char* name;
    } fields[] = {
        { true, "currentPINLineEdit" },
        { false, "typeNewPINLineEdit" },
        { false, "retypeNewPINLineEdit" },
    };
    for (const auto& f : fields) {
        auto row = [&](const char* what) -> QTestData& { return QTest::addRow("%s: %s", f.name, what); };
        const QString name = QLatin1String(f.name);
        row("digits") << f.mode << name << QStringLiteral("0123456789") << QStringLiteral("0123456789");
        row("letters refused") << f.mode << name << QStringLiteral("1a2B3z") << QStringLiteral("123");
        row("signs and blanks refused") << f.mode << name << QStringLiteral("-1 2+3.") << QStringLiteral("123");
        row("other scripts' digits refused")
            << f.mode << name << QStringLiteral("4\u0661\u0662\u0663") << QStringLiteral("4");
        row("17th digit refused") << f.mode << name << QStringLiteral("12345678901234567")
                                  << QStringLiteral("1234567890123456");
    }
}

void CodegateDialogTest::fieldsTakeDigitsOnly()
{
    QFETCH(bool, currentPinMode);
    QFETCH(QString, fieldName);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    Dialog dialog(currentPinMode);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* edit = field(dialog, fieldName);
    typeText(edit, typed);
    QCOMPARE(edit->text(), kept);

    // Pasting goes through the same check: text with a letter is refused as a whole.
    edit->clear();
    edit->insert(QStringLiteral("12x"));
    QCOMPARE(edit->text(), QString());
}

void CodegateDialogTest::answerChecks_data()
{
    QTest::addColumn<bool>("currentPinMode");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("typeNew");
    QTest::addColumn<QString>("retype");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("pin");

    const QString empty = QStringLiteral("PIN is empty!");
    const QString different = QStringLiteral("PINs are different!");
    QTest::newRow("current: empty") << true << QString() << QString() << QString() << empty << QString();
    QTest::newRow("current: empty, hidden new fields filled")
        << true << QString() << QStringLiteral("12") << QStringLiteral("12") << empty << QString();
    QTest::newRow("current: given") << true << QStringLiteral("1234") << QString() << QString() << QString()
                                    << QStringLiteral("1234");
    QTest::newRow("current: leading zeros kept")
        << true << QStringLiteral("0070") << QString() << QString() << QString() << QStringLiteral("0070");
    QTest::newRow("current: hidden new fields differ") << true << QStringLiteral("5") << QStringLiteral("1")
                                                       << QStringLiteral("2") << QString() << QStringLiteral("5");
    QTest::newRow("new: both empty") << false << QString() << QString() << QString() << empty << QString();
    QTest::newRow("new: only retype given")
        << false << QString() << QString() << QStringLiteral("12") << empty << QString();
    QTest::newRow("new: retype empty") << false << QString() << QStringLiteral("12") << QString() << different
                                       << QString();
    QTest::newRow("new: retype differs") << false << QString() << QStringLiteral("12") << QStringLiteral("13")
                                         << different << QString();
    QTest::newRow("new: retype is a prefix")
        << false << QString() << QStringLiteral("1234") << QStringLiteral("123") << different << QString();
    QTest::newRow("new: hidden current field ignored") << false << QStringLiteral("99") << QStringLiteral("12")
                                                       << QStringLiteral("12") << QString() << QStringLiteral("12");
}

void CodegateDialogTest::answerChecks()
{
    QFETCH(bool, currentPinMode);
    QFETCH(QString, current);
    QFETCH(QString, typeNew);
    QFETCH(QString, retype);
    QFETCH(QString, problem);
    QFETCH(QString, pin);

    Dialog dialog(currentPinMode);
    field(dialog, QStringLiteral("currentPINLineEdit"))->setText(current);
    field(dialog, QStringLiteral("typeNewPINLineEdit"))->setText(typeNew);
    field(dialog, QStringLiteral("retypeNewPINLineEdit"))->setText(retype);
    QCOMPARE(dialog.problem(), problem);
    if (problem.isEmpty())
        QCOMPARE(dialog.pin(), pin);

    int boxes = 0;
    QString title, text;
    QWidget* parent = nullptr;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    // Catches and dismisses every box, also one that should not have come up.
    QTimer watcher;
    watcher.setInterval(10);
    connect(&watcher, &QTimer::timeout, [&] {
        QMessageBox* box = shownMessageBox();
        if (!box)
            return;
        ++boxes;
        title = box->windowTitle();
        text = box->text();
        parent = box->parentWidget();
        icon = box->icon();
        buttons = box->standardButtons();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    watcher.start();

    QCOMPARE(dialog.validateWithMessages(), problem.isEmpty());
    if (problem.isEmpty()) {
        QCOMPARE(boxes, 0);
        return;
    }
    QCOMPARE(boxes, 1);
    QCOMPARE(title, QStringLiteral("Attention!"));
    QCOMPARE(text, problem);
    QCOMPARE(parent, &dialog);
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void CodegateDialogTest::everyWayOutEndsTheRound_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");
    QTest::newRow("OK button") << QStringLiteral("ok") << int(QDialog::Accepted);
    QTest::newRow("Return in the field") << QStringLiteral("return") << int(QDialog::Accepted);
    QTest::newRow("Escape") << QStringLiteral("escape") << int(QDialog::Rejected);
    QTest::newRow("window closed") << QStringLiteral("close") << int(QDialog::Rejected);
}

void CodegateDialogTest::everyWayOutEndsTheRound()
{
    QFETCH(QString, way);
    QFETCH(int, result);

    Dialog dialog(true);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* edit = field(dialog, QStringLiteral("currentPINLineEdit"));
    QTest::keyClicks(edit, QStringLiteral("12"));
    if (way == QLatin1String("ok"))
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    else if (way == QLatin1String("return"))
        QTest::keyClick(edit, Qt::Key_Return);
    else if (way == QLatin1String("escape"))
        QTest::keyClick(edit, Qt::Key_Escape);
    else
        QVERIFY(dialog.close());

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), result);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.pin(), QStringLiteral("12"));
}

void CodegateDialogTest::promptAsksAgainWithFreshDialog_data()
{
    QTest::addColumn<bool>("currentPinMode");
    QTest::addColumn<QStringList>("firstAnswer"); // per shown field, in tab order
    QTest::addColumn<QString>("message");
    QTest::newRow("empty current PIN") << true << QStringList { QString() } << QStringLiteral("PIN is empty!");
    QTest::newRow("empty new PIN") << false << QStringList { QString(), QStringLiteral("3") }
                                   << QStringLiteral("PIN is empty!");
    QTest::newRow("different new PINs") << false << QStringList { QStringLiteral("12"), QStringLiteral("13") }
                                        << QStringLiteral("PINs are different!");
}

void CodegateDialogTest::promptAsksAgainWithFreshDialog()
{
    QFETCH(bool, currentPinMode);
    QFETCH(QStringList, firstAnswer);
    QFETCH(QString, message);

    const QStringList fieldNames = currentPinMode
        ? QStringList { QStringLiteral("currentPINLineEdit") }
        : QStringList { QStringLiteral("typeNewPINLineEdit"), QStringLiteral("retypeNewPINLineEdit") };
    auto answer = [fieldNames](Dialog* dialog, const QStringList& values) {
        for (int i = 0; i < fieldNames.size(); ++i)
            QTest::keyClicks(field(*dialog, fieldNames[i]), values.value(i, values.first()));
        QTest::keyClick(field(*dialog, fieldNames.first()), Qt::Key_Return);
    };

    QPointer<Dialog> first;
    QString boxText;
    bool secondWasFresh = false;
    UserScript user({
        [&] {
            first = shownDialog();
            if (first)
                answer(first, firstAnswer);
            return bool(first);
        },
        [&] {
            QMessageBox* box = shownMessageBox();
            if (box) {
                boxText = box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
            return box != nullptr;
        },
        [&] {
            Dialog* second = shownDialog();
            if (!second || second == first)
                return false;
            secondWasFresh = second->pin().isEmpty() && second->isCurrentPinMode() == currentPinMode;
            for (const QString& name : fieldNames)
                secondWasFresh = secondWasFresh && field(*second, name)->text().isEmpty();
            answer(second, { QStringLiteral("2468") });
            return true;
        },
    });

    QCOMPARE(PinPrompt::ask(currentPinMode), QStringLiteral("2468"));
    QVERIFY(user.isDone());
    QCOMPARE(boxText, message);
    QVERIFY(secondWasFresh);
    QVERIFY(!first); // each failed round discards its dialog
    QVERIFY(!shownDialog());
}

void CodegateDialogTest::closingWithTypedPinAnswers()
{
    UserScript user({
        [] {
            Dialog* dialog = shownDialog();
            if (dialog) {
                QTest::keyClicks(field(*dialog, QStringLiteral("currentPINLineEdit")), QStringLiteral("0042"));
                dialog->close();
            }
            return dialog != nullptr;
        },
    });
    QCOMPARE(PinPrompt::ask(true), QStringLiteral("0042"));
    QVERIFY(!shownMessageBox());
}

void CodegateDialogTest::russianCatalogueCoversEveryText()
{
    QTranslator russian;
    QVERIFY(russian.load(QStringLiteral(CODEGATE_CATALOGUE_RU)));
    QVERIFY(QCoreApplication::installTranslator(&russian));

    Dialog current(true);
    Dialog twice(false);
    QStringList texts { current.windowTitle(), current.problem() };
    for (const char* name : { "currentPINLabel", "typeNewPINLabel", "retypeNewPINLabel" })
        texts << current.findChild<QLabel*>(QLatin1String(name))->text();
    field(twice, QStringLiteral("typeNewPINLineEdit"))->setText(QStringLiteral("1"));
    texts << twice.problem() << QCoreApplication::translate("Dialog", "Attention!");
    QCoreApplication::removeTranslator(&russian);

    QCOMPARE(texts.first(), QStringLiteral("Введите PIN-код"));
    for (const QString& text : texts) {
        const bool cyrillic
            = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
        QVERIFY2(cyrillic, qPrintable(text));
    }
}

QTEST_MAIN(CodegateDialogTest)

#include "tst_codegatedialog.moc"
