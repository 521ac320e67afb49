// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QDialog>

class QLineEdit;

/**
 * The PIN question: either the current PIN (one field) or a new PIN typed twice.
 *
 * The form is built in code. Only the fields of the chosen question are shown, each
 * takes at most 16 digits. The dialog only collects the answer; the caller decides with
 * validateWithMessages() whether to take it or to ask again with a fresh dialog.
 */
class Dialog : public QDialog
{
    Q_OBJECT
public:
    /// @p currentPinMode true asks for the current PIN, false for a new PIN twice.
    explicit Dialog(bool currentPinMode, QWidget* parent = nullptr);

    bool isCurrentPinMode() const { return m_currentPinMode; }

    /// The answer: the current-PIN field's text, or the new-PIN field's text in new-PIN mode.
    QString pin() const;

    /// Why the answer cannot be taken, as the translated message text; empty when it can.
    QString problem() const;

    /**
     * Shows problem(), if there is one, in a critical "Attention!" box parented to this
     * dialog and returns once the user has dismissed it. Returns whether the answer can
     * be taken.
     */
    bool validateWithMessages();

private:
    const bool m_currentPinMode;
    QLineEdit* m_currentPinLineEdit = nullptr;
    QLineEdit* m_typeNewPinLineEdit = nullptr;
    QLineEdit* m_retypeNewPinLineEdit = nullptr;
};
