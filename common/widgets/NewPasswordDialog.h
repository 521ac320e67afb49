// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

/**
 * Asks for a new password when PAM reports the current one as expired. The entries are
 * checked here and handed on with insertionCompleted(); the dialog then waits, disabled,
 * until acceptDialog() closes it or showErrorMessage() reports why the change failed.
 * Each error stays for a pause, then fades out; after the third failed change the user
 * is told that the greeter will restart.
 */
class VESTIBULE_COMMON_EXPORT NewPasswordDialog : public QDialog
{
    Q_OBJECT
public:
    NewPasswordDialog(QWidget* parent, bool askOldPassword);
    ~NewPasswordDialog() override;

    /// How long an error stays before it fades (7000 ms) and how long the fade takes (1000 ms).
    void setErrorTimings(int pauseMsec, int fadeMsec);

Q_SIGNALS:
    /// @p oldPassword is empty when the dialog does not ask for it.
    void insertionCompleted(const QString& oldPassword, const QString& newPassword, const QString& confirmPassword);

public Q_SLOTS:
    /// Shows @p message in red; @p isPasswordChangeError counts towards the restart notice.
    void showErrorMessage(const QString& message, bool isPasswordChangeError);
    /// Closes the dialog as accepted: the password was changed.
    void acceptDialog();
    /// Checks the entries; OK and Return never close the dialog by themselves.
    void accept() override;

private Q_SLOTS:
    void handleErrorMessage();
    void showNormalMessage();
    void enableButtonBox();

private:
    bool m_askOldPassword = false;
    int m_errorCount = 0;
    QLabel* m_messageLabel = nullptr;
    QLineEdit* m_oldPasswordLineEdit = nullptr;
    QLineEdit* m_newPasswordLineEdit = nullptr;
    QLineEdit* m_confirmPasswordLineEdit = nullptr;
    QDialogButtonBox* m_buttonBox = nullptr;
    int m_errorPauseMsec = 7000;
    int m_fadeMsec = 1000;
};
