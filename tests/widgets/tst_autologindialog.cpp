// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "AutoLoginDialog.h"
#include "MetaSignatures.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace
{

QString countdownText(int seconds)
{
    return QStringLiteral("The user alice will be automatically logged in after %1 seconds").arg(seconds);
}

/// Runs @p action inside the dialog's modal loop once the dialog is the active window.
void whenActive(AutoLoginDialog& dialog, std::function<void()> action)
{
    QTimer::singleShot(0, &dialog, [&dialog, action] {
        if (QTest::qWaitForWindowActive(&dialog))
            action();
        else
            dialog.done(-1);
    });
}

} // namespace

class AutoLoginDialogTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builtAsDescribed();
    void countsDownAndAccepts();
    void zeroSecondsShowZeroForOneTick();
    void answers_data();
    void answers();
};

void AutoLoginDialogTest::builtAsDescribed()
{
    AutoLoginDialog dialog(QStringLiteral("alice"), 5, nullptr);
    QCOMPARE(dialog.objectName(), QStringLiteral("AutoLoginDialog"));
    QCOMPARE(dialog.size(), QSize(475, 68));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Auto login"));
    auto* layout = dialog.findChild<QVBoxLayout*>(QStringLiteral("verticalLayout"));
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("label"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QVERIFY(layout && label && buttons);
    QCOMPARE(layout->indexOf(label), 0);
    QCOMPARE(layout->indexOf(buttons), 1);
    QCOMPARE(label->text(), QString());
    QCOMPARE(buttons->orientation(), Qt::Horizontal);
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(dialog.focusWidget(), buttons->button(QDialogButtonBox::Cancel));
    QVERIFY(MetaSignatures::ownSignals(AutoLoginDialog::staticMetaObject).isEmpty());
    QCOMPARE(MetaSignatures::ownMethods(AutoLoginDialog::staticMetaObject),
        (QStringList { QStringLiteral("exec()"), QStringLiteral("onTimerTimeout()") }));
}

void AutoLoginDialogTest::countsDownAndAccepts()
{
    AutoLoginDialog dialog(QStringLiteral("alice"), 3, nullptr);
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("label"));
    auto* timer = dialog.findChild<QTimer*>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(!timer->isSingleShot());
    QVERIFY(!timer->isActive());

    QStringList shown;
    QTimer::singleShot(0, &dialog, [&] { shown << label->text(); });
    connect(timer, &QTimer::timeout, &dialog, [&] { shown << label->text(); });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    // Three ticks of a coarse timer, which may each come up to 5 % early.
    QVERIFY2(clock.elapsed() >= 2850, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(shown, (QStringList { countdownText(3), countdownText(2), countdownText(1), countdownText(0) }));
    QVERIFY(!timer->isActive());
}

void AutoLoginDialogTest::zeroSecondsShowZeroForOneTick()
{
    // A negative delay also means an automatic login: it waits like 0, never counts below.
    for (int seconds : { 0, -4 }) {
        AutoLoginDialog dialog(QStringLiteral("alice"), seconds, nullptr);
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("label"));
        QString first;
        QTimer::singleShot(0, &dialog, [&] { first = label->text(); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(clock.elapsed() >= 950);
        QCOMPARE(first, countdownText(0));
        QCOMPARE(label->text(), countdownText(0));
    }
}

void AutoLoginDialogTest::answers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Return cancels") << int(Qt::Key_Return) << QString() << int(QDialog::Rejected);
    QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << QString() << int(QDialog::Rejected);
    QTest::newRow("OK logs in at once") << 0 << QStringLiteral("ok") << int(QDialog::Accepted);
    QTest::newRow("Cancel") << 0 << QStringLiteral("cancel") << int(QDialog::Rejected);
}

void AutoLoginDialogTest::answers()
{
    QFETCH(int, key);
    QFETCH(QString, button);
    QFETCH(int, result);
    AutoLoginDialog dialog(QStringLiteral("alice"), 30, nullptr);
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    whenActive(dialog, [&] {
        if (key)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        else
            QTest::mouseClick(
                buttons->button(button == QLatin1String("ok") ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dialog.exec(), result);
    QVERIFY(clock.elapsed() < 5000);
    // The countdown ends with the dialog: no late tick accepts a cancelled login.
    QVERIFY(!dialog.findChild<QTimer*>()->isActive());
}

QTEST_MAIN(AutoLoginDialogTest)
#include "tst_autologindialog.moc"
