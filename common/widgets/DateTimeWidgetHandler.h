// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QObject>
#include <QRegularExpression>
#include <QTimer>

class QDate;
class QLabel;
class QTime;
class QWidget;

/**
 * Keeps the "dateLabel" and "timeLabel" of a theme's form showing the local date and time
 * in the system locale's language, refreshed once a second while started. The labels
 * belong to the form and must outlive the running timer.
 */
class VESTIBULE_COMMON_EXPORT DateTimeWidgetHandler : public QObject
{
    Q_OBJECT
public:
    explicit DateTimeWidgetHandler(QObject* parent = nullptr);
    ~DateTimeWidgetHandler() override;

    /// Finds both labels below @p root (throws CommonException when one is missing) and fills them.
    void load(QWidget* root);
    void start();
    void stop();
    void update();
    void updateDate(const QDate& date);
    void updateTime(const QTime& time);

    void setDateFormat(const QString& format);
    void setTimeFormat(const QString& format);
    void setDateToUpper(bool toUpper);
    /// Matches of @p expression are removed from the formatted date.
    void setDateRemoveRegExp(const QRegularExpression& expression);

private Q_SLOTS:
    void timerTimeout();

private:
    QLabel* m_dateLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QTimer m_timer;
    QString m_dateFormat = QStringLiteral("ddd, d MMM");
    QString m_timeFormat = QStringLiteral("HH:mm");
    QRegularExpression m_dateRemoveRegExp { QStringLiteral("\\.+$") };
    bool m_dateToUpper = true;
};
