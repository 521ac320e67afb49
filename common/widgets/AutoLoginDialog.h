// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QDialog>
#include <QTimer>

class QDialogButtonBox;
class QLabel;
class QVBoxLayout;

/**
 * Announces an automatic login and counts it down once a second. exec() answers Accepted
 * when the countdown runs out or the user confirms, Rejected on Cancel or Escape; the
 * theme asks for the automatic login only on Accepted. Return cancels, so a user who
 * happens to press it does not get logged in.
 */
class VESTIBULE_COMMON_EXPORT AutoLoginDialog : public QDialog
{
    Q_OBJECT
public:
    AutoLoginDialog(const QString& userName, int seconds, QWidget* parent = nullptr);
    ~AutoLoginDialog() override;

public Q_SLOTS:
    /// Starts the countdown and runs the dialog modally.
    int exec() override;

private Q_SLOTS:
    void onTimerTimeout();

private:
    void updateLabel();

    QVBoxLayout* m_verticalLayout = nullptr;
    QLabel* m_label = nullptr;
    QDialogButtonBox* m_buttonBox = nullptr;
    QString m_userName;
    int m_seconds = 0;
    QTimer m_timer;
};
