// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AuthData.h"
#include "Manager.h"
#include "vestibule_common_export.h"

#include <QObject>
#include <QString>

/**
 * The switchboard between a theme and the host's PAM conversation. The theme calls the
 * slots, the host listens to the request signals, runs PAM and answers by emitting the
 * answer signals, which the theme listens to. No login state is kept here.
 */
class VESTIBULE_COMMON_EXPORT LocalAuthManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "localAuth"

    LocalAuthManager(int autoLoginDelay, const QString& autoLoginUser, QObject* parent = nullptr);
    ~LocalAuthManager() override;

    /// True for any delay but 0; a negative delay counts as enabled.
    bool autoLoginEnabled() const;
    int autoLoginDelay() const;
    QString autoLoginUser() const;

    QString hostname() const;
    void setHostname(const QString& hostname);
    bool focusPassword() const;
    void setFocusPassword(bool focusPassword);

public Q_SLOTS:
    /// Emits loginRequest(@p data) unchanged; nothing is validated here.
    void performLoginRequest(AuthData data);
    /// Emits autoLoginRequest().
    void performAutoLoginRequest();

Q_SIGNALS:
    void loginRequest(AuthData data); ///< to the host: run a PAM login
    void autoLoginRequest(); ///< to the host: log autoLoginUser() in without a password
    void loginFailed(); ///< from the host
    void successLogin(); ///< from the host
    void passwordChangeRequested(bool withAuth); ///< from the host: PAM demands a new password
    void newPasswordInsertionCompleted(QString login, QString oldPassword, QString newPassword,
        QString confirmPassword); ///< from the theme
    void newPasswordInsertionRejected(); ///< from the theme
    void pamErrorReceived(QString message, bool isPasswordChange); ///< from the host
    void messageReceived(QString message); ///< from the host: PAM information text
    void requestReceived(QString request, bool echo); ///< from the host: a prompt in generic mode
    void enableGenericMode(); ///< from the generic theme, once during its set-up
    void sendAnswerToPam(QString answer); ///< from the generic theme
    void anotherRequestDialog(QString message, bool echo); ///< from the host: an extra prompt
    void sendStringToPam(QString answer); ///< from the standard theme

private:
    const int m_autoLoginDelay;
    const QString m_autoLoginUser;
    QString m_hostname;
    bool m_focusPassword = false;
};
