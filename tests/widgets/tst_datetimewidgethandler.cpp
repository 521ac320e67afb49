// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "DateTimeWidgetHandler.h"
#include "Exceptions.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTime>
#include <QVBoxLayout>

namespace
{

struct Form {
    QWidget root;
    QLabel* date = nullptr;
    QLabel* time = nullptr;

    Form()
    {
        root.setObjectName(QStringLiteral("form"));
        auto* inner = new QWidget(&root);
        date = new QLabel(inner);
        date->setObjectName(QStringLiteral("dateLabel"));
        time = new QLabel(inner);
        time->setObjectName(QStringLiteral("timeLabel"));
    }
};

bool russian()
{
    return QLocale::system().language() == QLocale::Russian;
}

} // namespace

class DateTimeWidgetHandlerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultsShowUpperCaseWithoutTrailingStop();
    void loadFillsBothLabelsAtOnce();
    void settersTakeEffectAtTheNextUpdate();
    void fullStopInsideStays();
    void missingLabelThrows();
    void timerFollowsTheClock();
};

void DateTimeWidgetHandlerTest::defaultsShowUpperCaseWithoutTrailingStop()
{
    Form form;
    DateTimeWidgetHandler handler;
    handler.load(&form.root);
    handler.updateDate(QDate(2026, 12, 7));
    handler.updateTime(QTime(9, 5));
    // In Russian the abbreviated month carries a full stop ("дек."), removed at the end.
    QCOMPARE(form.date->text(), russian() ? QStringLiteral("ПН, 7 ДЕК") : QStringLiteral("MON, 7 DEC"));
    QCOMPARE(form.time->text(), QStringLiteral("09:05"));
}

void DateTimeWidgetHandlerTest::loadFillsBothLabelsAtOnce()
{
    Form form;
    DateTimeWidgetHandler handler;
    handler.load(&form.root);
    QVERIFY(!form.date->text().isEmpty());
    QCOMPARE(
        form.time->text(), QTime::currentTime().toString(QStringLiteral("HH:mm")).left(3) + form.time->text().mid(3));
}

void DateTimeWidgetHandlerTest::settersTakeEffectAtTheNextUpdate()
{
    Form form;
    DateTimeWidgetHandler handler;
    handler.load(&form.root);
    handler.updateDate(QDate(2026, 12, 7));
    const QString before = form.date->text();
    handler.setDateToUpper(false);
    handler.setDateFormat(QStringLiteral("MMM d."));
    handler.setTimeFormat(QStringLiteral("H.mm"));
    QCOMPARE(form.date->text(), before);

    handler.updateDate(QDate(2026, 12, 7));
    handler.updateTime(QTime(9, 5));
    QCOMPARE(form.date->text(), russian() ? QStringLiteral("дек. 7") : QStringLiteral("Dec 7"));
    QCOMPARE(form.time->text(), QStringLiteral("9.05"));

    handler.setDateRemoveRegExp(QRegularExpression(QStringLiteral("\\d")));
    handler.updateDate(QDate(2026, 12, 7));
    QCOMPARE(form.date->text(), russian() ? QStringLiteral("дек. .") : QStringLiteral("Dec ."));
}

void DateTimeWidgetHandlerTest::fullStopInsideStays()
{
    Form form;
    DateTimeWidgetHandler handler;
    handler.load(&form.root);
    handler.setDateFormat(QStringLiteral("d.M.yyyy..."));
    handler.updateDate(QDate(2026, 3, 1));
    QCOMPARE(form.date->text(), QStringLiteral("1.3.2026"));
}

void DateTimeWidgetHandlerTest::missingLabelThrows()
{
    QWidget root;
    root.setObjectName(QStringLiteral("partial"));
    auto* date = new QLabel(&root);
    date->setObjectName(QStringLiteral("dateLabel"));
    DateTimeWidgetHandler handler;
    try {
        handler.load(&root);
        QFAIL("no exception");
    } catch (const CommonException& e) {
        QCOMPARE(e.fullDetails(), QStringLiteral("Widget 'timeLabel' not found in parent 'partial'"));
    }
    QVERIFY(date->text().isEmpty());
}

void DateTimeWidgetHandlerTest::timerFollowsTheClock()
{
    Form form;
    DateTimeWidgetHandler handler;
    handler.load(&form.root);
    handler.setTimeFormat(QStringLiteral("HH:mm:ss.zzz"));
    handler.start();
    const QString first = form.time->text();
    QTRY_VERIFY_WITH_TIMEOUT(form.time->text() != first, 3000);
    handler.stop();
    const QString stopped = form.time->text();
    QTest::qWait(1200);
    QCOMPARE(form.time->text(), stopped);
}

QTEST_MAIN(DateTimeWidgetHandlerTest)
#include "tst_datetimewidgethandler.moc"
