// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "FallbackLoginForm.h"

#include "AuthData.h"
#include "LocalAuthManager.h"

#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

FallbackLoginForm::FallbackLoginForm(LocalAuthManager* auth, QWidget* parent)
    : QWidget(parent)
    , m_auth(auth)
    , m_userEdit(new QLineEdit)
    , m_passwordEdit(new QLineEdit)
    , m_loginButton(new QPushButton(tr("Log in")))
    , m_messageLabel(new QLabel)
{
    // Dark and plain: readable on any screen, with nothing to load from a theme.
    setStyleSheet(QStringLiteral("FallbackLoginForm { background-color: #202020; }"
                                 "QLabel { color: #ffffff; }"));
    setAutoFillBackground(true);

    auto* title
        = new QLabel(auth && !auth->hostname().isEmpty() ? tr("Log in to %1").arg(auth->hostname()) : tr("Log in"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    m_userEdit->setAccessibleName(tr("User name"));
    m_passwordEdit->setAccessibleName(tr("Password"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAccessibleName(tr("Message"));

    auto* fields = new QFormLayout;
    fields->addRow(tr("User name:"), m_userEdit);
    fields->addRow(tr("Password:"), m_passwordEdit);
    auto* form = new QWidget;
    form->setMaximumWidth(420);
    auto* column = new QVBoxLayout(form);
    column->addWidget(title);
    column->addLayout(fields);
    column->addWidget(m_loginButton, 0, Qt::AlignRight);
    column->addWidget(m_messageLabel);
    auto* outer = new QVBoxLayout(this);
    outer->addStretch();
    outer->addWidget(form, 0, Qt::AlignHCenter);
    outer->addStretch();

    connect(m_userEdit, &QLineEdit::returnPressed, m_passwordEdit, qOverload<>(&QWidget::setFocus));
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, &FallbackLoginForm::submit);
    connect(m_loginButton, &QPushButton::clicked, this, &FallbackLoginForm::submit);
    if (m_auth) {
        connect(m_auth, &LocalAuthManager::loginFailed, this, &FallbackLoginForm::onLoginFailed);
        connect(m_auth, &LocalAuthManager::successLogin, this, [this] { showText(tr("Starting the session…")); });
        connect(m_auth, &LocalAuthManager::messageReceived, this, &FallbackLoginForm::showText);
        connect(m_auth, &LocalAuthManager::pamErrorReceived, this, [this](const QString& message, bool change) {
            showText(message);
            // A new password PAM refused: ask again, as the theme's dialog stays open.
            if (change)
                QTimer::singleShot(0, this, &FallbackLoginForm::askNewPassword);
        });
        // Out of the backend's call: the dialogs run an event loop of their own.
        connect(m_auth, &LocalAuthManager::passwordChangeRequested, this,
            [this] { QTimer::singleShot(0, this, &FallbackLoginForm::askNewPassword); });
        connect(m_auth, &LocalAuthManager::anotherRequestDialog, this, [this](const QString& question, bool echo) {
            QTimer::singleShot(0, this, [this, question, echo] { askExtraAnswer(question, echo); });
        });
    } else {
        showText(tr("Logging in is not possible: the greeter has no authentication."));
        setBusy(true);
    }
    m_userEdit->setFocus();
}

FallbackLoginForm::~FallbackLoginForm() = default;

void FallbackLoginForm::submit()
{
    if (m_userEdit->text().trimmed().isEmpty()) {
        m_userEdit->setFocus();
        return;
    }
    m_login = m_userEdit->text().trimmed();
    m_password = m_passwordEdit->text();
    showText(QString());
    setBusy(true);
    m_auth->performLoginRequest(AuthData { m_login, m_password });
}

void FallbackLoginForm::onLoginFailed()
{
    m_password.clear();
    m_passwordEdit->clear();
    if (m_messageLabel->text().isEmpty())
        showText(tr("Login failed. Check the user name and the password."));
    setBusy(false);
    m_passwordEdit->setFocus();
}

void FallbackLoginForm::showText(const QString& text)
{
    m_messageLabel->setText(text);
}

void FallbackLoginForm::askNewPassword()
{
    bool given = false;
    const QString newPassword = QInputDialog::getText(this, tr("Password expired"),
        tr("The password has expired. New password:"), QLineEdit::Password, QString(), &given);
    QString confirmation;
    if (given)
        confirmation = QInputDialog::getText(
            this, tr("Password expired"), tr("Repeat the new password:"), QLineEdit::Password, QString(), &given);
    if (!given) {
        emit m_auth->newPasswordInsertionRejected();
        return;
    }
    emit m_auth->newPasswordInsertionCompleted(m_login, m_password, newPassword, confirmation);
}

void FallbackLoginForm::askExtraAnswer(const QString& question, bool echo)
{
    // Cancelling answers nothing PAM could accept, so the login fails as it should.
    const QString answer
        = QInputDialog::getText(this, tr("Log in"), question, echo ? QLineEdit::Normal : QLineEdit::Password);
    emit m_auth->sendStringToPam(answer);
}

void FallbackLoginForm::setBusy(bool busy)
{
    m_userEdit->setEnabled(!busy);
    m_passwordEdit->setEnabled(!busy);
    m_loginButton->setEnabled(!busy);
}
