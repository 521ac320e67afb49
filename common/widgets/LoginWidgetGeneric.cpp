// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The login widget in generic mode: one PAM prompt at a time on the user-info page.
#include "LoginWidget.h"

#include "Accessibility.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void LoginWidget::loadGeneric(QWidget* form, const ThemeDescription& description)
{
    m_description = description;
    bindForm(form, description);
    Accessibility::markAsAlert(m_userHostnameLabel);

    connect(m_loginToolButton, &QToolButton::clicked, this, &LoginWidget::genericToolButtonClicked);
    m_passwordLineEdit->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_passwordLineEdit, &QLineEdit::returnPressed, this, &LoginWidget::genericToolButtonClicked);

    enableCapsLock(false);
    setCurrentCommonWidgetPage(LoginPage);
    setUsers(UsersData(), false);
    installGestureAndEventFilter();

    setCurrentUserData(UserData());
    setCurrentAuthPage(UserInfoPage, false);
}

void LoginWidget::setGenericPamHeader(const QString& header, bool echo)
{
    m_usernameLabel->setText(header);
    m_passwordLineEdit->setEchoMode(echo ? QLineEdit::Normal : QLineEdit::Password);
    // The answer field has the focus: named after the prompt, it is what a screen reader
    // says next, and a name change of the focused field is spoken at once.
    const QString name = header.trimmed().isEmpty() ? m_passwordFieldName : header.trimmed();
    if (m_passwordLineEdit->accessibleName() != name)
        m_passwordLineEdit->setAccessibleName(name);
}

void LoginWidget::setGenericPamMessage(const QString& message)
{
    m_userHostnameLabel->setText(message);
    if (!message.isEmpty())
        Accessibility::announce(m_userHostnameLabel);
}

void LoginWidget::genericToolButtonClicked()
{
    m_usernameLabel->clear();
    m_userHostnameLabel->clear();
    Q_EMIT submitAnswerToPam(m_passwordLineEdit->text());
    m_passwordLineEdit->clear();
}

void LoginWidget::removePasswordPlaceholder()
{
    m_passwordLineEdit->setPlaceholderText(QString());
}
