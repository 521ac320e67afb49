// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QWidget>

class LocalAuthManager;
class QLabel;
class QLineEdit;
class QPushButton;

/**
 * The plain user-name and password form a host shows when no theme can be built, so that
 * the screen is never dead. It speaks to the host's backend through the local
 * authentication manager, as a theme does, and answers every further question of PAM
 * (an expired password, a one-time code) with simple dialogs.
 */
class FallbackLoginForm : public QWidget
{
    Q_OBJECT
public:
    explicit FallbackLoginForm(LocalAuthManager* auth, QWidget* parent = nullptr);
    ~FallbackLoginForm() override;

private:
    void submit();
    void onLoginFailed();
    void showText(const QString& text);
    void askNewPassword();
    void askExtraAnswer(const QString& question, bool echo);
    void setBusy(bool busy);

    LocalAuthManager* m_auth;
    QLineEdit* m_userEdit;
    QLineEdit* m_passwordEdit;
    QPushButton* m_loginButton;
    QLabel* m_messageLabel;
    QString m_login; ///< of the login in progress
    QString m_password; ///< of the login in progress, for a password change
};
