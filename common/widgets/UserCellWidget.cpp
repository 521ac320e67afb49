// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "UserCellWidget.h"

#include "ImageUtils.h"
#include "Utils.h"

#include <QGridLayout>
#include <QLabel>

UserCellWidget::UserCellWidget(const UserData& user, QWidget* parent)
    : QWidget(parent)
    , m_user(user)
{
}

UserCellWidget::~UserCellWidget() = default;

void UserCellWidget::load(QWidget* form)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);

    m_iconLabel = Utils::findWidget<QLabel*>(QStringLiteral("iconLabel"), form);
    m_usernameLabel = Utils::findWidget<QLabel*>(QStringLiteral("usernameLabel"), form);
    m_hostnameLabel = Utils::findWidget<QLabel*>(QStringLiteral("hostnameLabel"), form);
    m_isLoggedLabel = Utils::findWidget<QLabel*>(QStringLiteral("isLoggedLabel"), form);

    if (m_user.hasToken)
        setIcon(m_user.icon, true, QIcon::fromTheme(QStringLiteral("media-flash")));
    else
        setIcon(m_user.icon, false, QIcon());
    setUsername(m_user.username);
    setHostname(m_user.hostname);
    setLogged(m_user.logged);
}

UserData UserCellWidget::userData() const { return m_user; }

void UserCellWidget::setUsername(const QString& username) { m_usernameLabel->setText(username); }

void UserCellWidget::setHostname(const QString& hostname)
{
    m_hostnameLabel->setTextFormat(Qt::PlainText);
    m_hostnameLabel->setText(hostname);
}

void UserCellWidget::setLogged(bool logged) { m_isLoggedLabel->setVisible(logged); }

void UserCellWidget::setIcon(const QIcon& icon, bool withEmblem, const QIcon& emblem)
{
    const QSize size = Utils::caclulateRealPaintDeviceSize(m_iconLabel);
    m_iconLabel->setPixmap(withEmblem ? Utils::circlePixmapFromIconWithEmblem(icon, size, emblem)
                                      : Utils::circlePixmapFromIcon(icon, size));
}
