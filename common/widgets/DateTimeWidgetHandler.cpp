// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "DateTimeWidgetHandler.h"

#include "Utils.h"

#include <QDateTime>
#include <QLabel>

DateTimeWidgetHandler::DateTimeWidgetHandler(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &DateTimeWidgetHandler::timerTimeout);
}

DateTimeWidgetHandler::~DateTimeWidgetHandler() = default;

void DateTimeWidgetHandler::load(QWidget* root)
{
    m_dateLabel = Utils::findWidget<QLabel*>(QStringLiteral("dateLabel"), root);
    m_timeLabel = Utils::findWidget<QLabel*>(QStringLiteral("timeLabel"), root);
    update();
}

void DateTimeWidgetHandler::start()
{
    m_timer.start();
}
void DateTimeWidgetHandler::stop()
{
    m_timer.stop();
}

void DateTimeWidgetHandler::update()
{
    const QDateTime now = QDateTime::currentDateTime();
    updateDate(now.date());
    updateTime(now.time());
}

void DateTimeWidgetHandler::updateDate(const QDate& date)
{
    QString text = date.toString(m_dateFormat);
    if (m_dateToUpper)
        text = text.toUpper();
    text.remove(m_dateRemoveRegExp);
    if (m_dateLabel)
        m_dateLabel->setText(text);
}

void DateTimeWidgetHandler::updateTime(const QTime& time)
{
    if (m_timeLabel)
        m_timeLabel->setText(time.toString(m_timeFormat));
}

void DateTimeWidgetHandler::setDateFormat(const QString& format)
{
    m_dateFormat = format;
}
void DateTimeWidgetHandler::setTimeFormat(const QString& format)
{
    m_timeFormat = format;
}
void DateTimeWidgetHandler::setDateToUpper(bool toUpper)
{
    m_dateToUpper = toUpper;
}
void DateTimeWidgetHandler::setDateRemoveRegExp(const QRegularExpression& expression)
{
    m_dateRemoveRegExp = expression;
}
void DateTimeWidgetHandler::timerTimeout()
{
    update();
}
