// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "MetaSignatures.h"
#include "NewPasswordDialog.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace
{

const QString normalText = QStringLiteral("Your password is expired. Please set new one.");
const QString normalStyle = QStringLiteral("QLabel { color : #FFFFFF; }");
const QString errorStyle = QStringLiteral("QLabel { color : #FFAAAA; }");
const QString restartText = QStringLiteral("\nThe application will be restarted.");

/// The dialog shown, with its parts found by what they are.
struct Dialog {
    NewPasswordDialog dialog;
    QLabel* label = nullptr;
    QLineEdit* old = nullptr;
    QLineEdit* fresh = nullptr;
    QLineEdit* confirm = nullptr;
    QDialogButtonBox* buttons = nullptr;

    explicit Dialog(bool askOld)
        : dialog(nullptr, askOld)
    {
        label = dialog.findChild<QLabel*>();
        const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
        if (askOld)
            old = fields.value(0);
        fresh = fields.value(askOld ? 1 : 0);
        confirm = fields.value(askOld ? 2 : 1);
        buttons = dialog.findChild<QDialogButtonBox*>();
        dialog.show();
    }

    void type(QLineEdit* field, const QString& text)
    {
        if (field && !text.isEmpty())
            QTest::keyClicks(field, text);
    }

    void clickOk() { QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton); }
    bool buttonsUsable() const { return buttons->isEnabled() && buttons->isEnabledTo(&dialog); }
};

} // namespace

class NewPasswordDialogTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builtAsDescribed_data();
    void builtAsDescribed();
    void acceptChecksInOrder_data();
    void acceptChecksInOrder();
    void returnChecksLikeOk();
    void acceptDialogAndCancelClose();
    void thirdPasswordChangeErrorAnnouncesRestart();
    void errorFadesAfterPause();
    void errorTakesEightSecondsInAll();
    void overlappingFadesEndNormal();
};

void NewPasswordDialogTest::builtAsDescribed_data()
{
    QTest::addColumn<bool>("askOld");
    QTest::newRow("with the old password") << true;
    QTest::newRow("new password only") << false;
}

void NewPasswordDialogTest::builtAsDescribed()
{
    QFETCH(bool, askOld);
    Dialog d(askOld);
    QVERIFY(d.dialog.windowFlags() & Qt::FramelessWindowHint);
    // The colours are readable ones (tst_contrastmeter measures them); the rest is as it was.
    QVERIFY(d.dialog.styleSheet().startsWith(
        QStringLiteral("QComboBox { font-size: 13px; background-color: #FFFFFF; border-radius: 2px; color: #000000; "
                       "padding-left: 15px; } QPushButton { background-color: #2D6A99; font-weight: bold; "
                       "font-size: 13px; color: #FFFFFF; ")));
    QVERIFY(
        d.dialog.styleSheet().endsWith(QStringLiteral("QDialog { background-color: #4D4D4D; border-radius: 4px; }")));
    QCOMPARE(d.label->text(), normalText);
    QCOMPARE(d.label->styleSheet(), normalStyle);
    QCOMPARE(d.dialog.findChildren<QLineEdit*>().size(), askOld ? 3 : 2);
    if (askOld)
        QCOMPARE(d.old->placeholderText(), QStringLiteral("Old password"));
    QCOMPARE(d.fresh->placeholderText(), QStringLiteral("New password"));
    QCOMPARE(d.confirm->placeholderText(), QStringLiteral("Confirm new password"));
    for (const QLineEdit* field : d.dialog.findChildren<QLineEdit*>())
        QCOMPARE(field->echoMode(), QLineEdit::Password);
    QCOMPARE(d.buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(d.dialog.focusWidget(), askOld ? d.old : d.fresh);

    QCOMPARE(MetaSignatures::ownSignals(NewPasswordDialog::staticMetaObject),
        QStringList { QStringLiteral("insertionCompleted(QString,QString,QString)") });
    QCOMPARE(MetaSignatures::ownMethods(NewPasswordDialog::staticMetaObject),
        (QStringList { QStringLiteral("insertionCompleted(QString,QString,QString)"),
            QStringLiteral("showErrorMessage(QString,bool)"), QStringLiteral("acceptDialog()"),
            QStringLiteral("accept()"), QStringLiteral("handleErrorMessage()"), QStringLiteral("showNormalMessage()"),
            QStringLiteral("enableButtonBox()") }));
}

void NewPasswordDialogTest::acceptChecksInOrder_data()
{
    QTest::addColumn<bool>("askOld");
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("focus"); // old, new, confirm or none (dialog disabled)
    QTest::addColumn<bool>("emitted");
    QTest::addColumn<bool>("mismatch");

    QTest::newRow("old missing") << true << QString() << "n3w"
                                 << "n3w"
                                 << "old" << false << false;
    QTest::newRow("new missing") << true << "0ld" << QString() << "n3w"
                                 << "new" << false << false;
    QTest::newRow("new missing, no old field")
        << false << QString() << QString() << QString() << "new" << false << false;
    QTest::newRow("confirmation missing") << false << QString() << "n3w" << QString() << "confirm" << false << false;
    QTest::newRow("new equals old") << true << "same"
                                    << "same"
                                    << "same"
                                    << "new" << false << false;
    QTest::newRow("complete") << true << "0ld"
                              << "n3w"
                              << "n3w"
                              << "none" << true << false;
    QTest::newRow("complete, no old field") << false << QString() << "n3w"
                                            << "n3w"
                                            << "none" << true << false;
    QTest::newRow("confirmation differs") << true << "0ld"
                                          << "n3w"
                                          << "n3x"
                                          << "confirm" << false << true;
    QTest::newRow("confirmation differs, no old field") << false << QString() << "n3w"
                                                        << "n3x"
                                                        << "confirm" << false << true;
}

void NewPasswordDialogTest::acceptChecksInOrder()
{
    QFETCH(bool, askOld);
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, confirmation);
    QFETCH(QString, focus);
    QFETCH(bool, emitted);
    QFETCH(bool, mismatch);

    Dialog d(askOld);
    QSignalSpy completed(&d.dialog, &NewPasswordDialog::insertionCompleted);
    QSignalSpy closed(&d.dialog, &QDialog::finished);
    d.type(d.old, oldPassword);
    d.type(d.fresh, newPassword);
    d.type(d.confirm, confirmation);
    d.clickOk();

    QCOMPARE(closed.count(), 0);
    QVERIFY(d.dialog.isVisible());
    QCOMPARE(completed.count(), emitted ? 1 : 0);
    if (emitted) {
        QCOMPARE(completed.at(0), (QVariantList { oldPassword, newPassword, confirmation }));
        QVERIFY(!d.dialog.isEnabled());
        return;
    }
    QVERIFY(d.dialog.isEnabled());
    QLineEdit* expected = focus == QLatin1String("old") ? d.old : focus == QLatin1String("new") ? d.fresh : d.confirm;
    QCOMPARE(d.dialog.focusWidget(), expected);
    if (!mismatch) {
        QCOMPARE(d.label->text(), normalText);
        QVERIFY(d.buttonsUsable());
        return;
    }
    QCOMPARE(d.label->text(), QStringLiteral("New passwords not match"));
    QCOMPARE(d.label->styleSheet(), errorStyle);
    QVERIFY(!d.buttonsUsable());
    QVERIFY(d.fresh->text().isEmpty());
    QVERIFY(d.confirm->text().isEmpty());
    if (askOld)
        QVERIFY(d.old->text().isEmpty());
}

void NewPasswordDialogTest::returnChecksLikeOk()
{
    Dialog d(false);
    // The themes make the dialog the active window, as here.
    d.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    QSignalSpy completed(&d.dialog, &NewPasswordDialog::insertionCompleted);
    d.type(d.fresh, QStringLiteral("n3w"));
    QTest::keyClick(d.fresh, Qt::Key_Return);
    QCOMPARE(d.dialog.focusWidget(), d.confirm);
    QVERIFY(d.dialog.isVisible());
    d.type(d.confirm, QStringLiteral("n3w"));
    QTest::keyClick(d.confirm, Qt::Key_Return);
    QCOMPARE(completed.count(), 1);
    QCOMPARE(completed.at(0), (QVariantList { QString(), QStringLiteral("n3w"), QStringLiteral("n3w") }));
    QVERIFY(d.dialog.isVisible());
}

void NewPasswordDialogTest::acceptDialogAndCancelClose()
{
    {
        Dialog d(true);
        QSignalSpy accepted(&d.dialog, &QDialog::accepted);
        d.type(d.old, QStringLiteral("0ld"));
        d.type(d.fresh, QStringLiteral("n3w"));
        d.type(d.confirm, QStringLiteral("n3w"));
        d.clickOk();
        d.dialog.acceptDialog();
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!d.dialog.isVisible());
    }
    {
        Dialog d(false);
        QSignalSpy rejected(&d.dialog, &QDialog::rejected);
        QTest::mouseClick(d.buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QCOMPARE(rejected.count(), 1);
        QVERIFY(!d.dialog.isVisible());
    }
}

void NewPasswordDialogTest::thirdPasswordChangeErrorAnnouncesRestart()
{
    Dialog d(true);
    const QString pam = QStringLiteral("BAD PASSWORD: it is too short");
    // Errors that are not about the change itself do not count.
    d.dialog.showErrorMessage(QStringLiteral("Authentication token manipulation error"), false);
    d.dialog.showErrorMessage(pam, true);
    QCOMPARE(d.label->text(), pam);
    d.dialog.showErrorMessage(pam, true);
    QCOMPARE(d.label->text(), pam);
    QCOMPARE(d.dialog.focusWidget(), d.old);
    // A local mismatch in between does not count either.
    d.type(d.old, QStringLiteral("0ld"));
    d.type(d.fresh, QStringLiteral("n3w"));
    d.type(d.confirm, QStringLiteral("n3x"));
    d.dialog.accept();
    QCOMPARE(d.label->text(), QStringLiteral("New passwords not match"));

    d.dialog.showErrorMessage(pam, true);
    QCOMPARE(d.label->text(), restartText);
    QCOMPARE(d.label->styleSheet(), errorStyle);
    // From then on every error is the restart notice.
    d.dialog.showErrorMessage(QStringLiteral("anything"), false);
    QCOMPARE(d.label->text(), restartText);
}

void NewPasswordDialogTest::errorFadesAfterPause()
{
    Dialog d(true);
    d.dialog.setErrorTimings(300, 200);
    d.type(d.old, QStringLiteral("0ld"));
    d.type(d.fresh, QStringLiteral("n3w"));
    d.type(d.confirm, QStringLiteral("n3w"));
    d.clickOk();
    QVERIFY(!d.dialog.isEnabled());

    d.dialog.showErrorMessage(QStringLiteral("Password unchanged"), true);
    QVERIFY(d.dialog.isEnabled());
    QVERIFY(!d.buttonsUsable());
    QVERIFY(d.old->text().isEmpty());
    QCOMPARE(d.dialog.focusWidget(), d.old);

    QTRY_VERIFY(qobject_cast<QGraphicsOpacityEffect*>(d.label->graphicsEffect()));
    QCOMPARE(d.label->text(), QStringLiteral("Password unchanged"));
    QVERIFY(!d.buttonsUsable());
    QTRY_VERIFY(d.buttonsUsable());
    QCOMPARE(d.label->text(), normalText);
    QCOMPARE(d.label->styleSheet(), normalStyle);
    QTRY_VERIFY(!d.label->graphicsEffect());
}

void NewPasswordDialogTest::errorTakesEightSecondsInAll()
{
    // The real pause and fade, end to end, once.
    Dialog d(false);
    QElapsedTimer clock;
    clock.start();
    d.dialog.showErrorMessage(QStringLiteral("Password unchanged"), true);
    QTest::qWait(6500);
    QVERIFY(!d.buttonsUsable());
    QCOMPARE(d.label->text(), QStringLiteral("Password unchanged"));
    QTRY_VERIFY_WITH_TIMEOUT(d.buttonsUsable(), 4000);
    // Qt's coarse timers may fire up to 5 % early.
    QVERIFY2(clock.elapsed() >= 7600, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(d.label->text(), normalText);
}

void NewPasswordDialogTest::overlappingFadesEndNormal()
{
    Dialog d(false);
    d.dialog.setErrorTimings(100, 400);
    d.dialog.showErrorMessage(QStringLiteral("first"), true);
    // The second error arrives while the first fade runs; its own fade replaces the effect,
    // and the replaced one must not be touched again when its animation would have ended.
    QTRY_VERIFY(d.label->graphicsEffect());
    d.dialog.showErrorMessage(QStringLiteral("second"), true);
    QTRY_VERIFY(d.label->graphicsEffect());
    QTRY_VERIFY_WITH_TIMEOUT(d.buttonsUsable() && !d.label->graphicsEffect(), 3000);
    QCOMPARE(d.label->text(), normalText);
    QTest::qWait(100);
}

QTEST_MAIN(NewPasswordDialogTest)
#include "tst_newpassworddialog.moc"
