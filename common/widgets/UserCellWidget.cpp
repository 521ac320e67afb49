// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "UserCellWidget.h"

#include "ImageUtils.h"
#include "Utils.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

namespace
{

// Most icon themes have no "media-flash": the library brings its own token mark.
QIcon tokenEmblem()
{
    return QIcon::fromTheme(QStringLiteral("media-flash"), QIcon(QStringLiteral(":/vestibule/emblem-token.svg")));
}

const char fullTextProperty[] = "vestibuleFullText";

/// Shows @p text in @p label, cut with an ellipsis where the label is too narrow for it.
void showElided(QLabel* label, const QString& text)
{
    // Until a layout has given the label its width, there is nothing to measure against.
    if (!label->isVisible()) {
        label->setText(text);
        return;
    }
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

} // namespace

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
    // Long names are cut to the cell's width with an ellipsis instead of widening the cell.
    for (QLabel* label : { m_usernameLabel, m_hostnameLabel }) {
        label->setSizePolicy(QSizePolicy::Ignored, label->sizePolicy().verticalPolicy());
        label->setMinimumWidth(0);
        label->installEventFilter(this);
    }

    if (m_user.hasToken)
        setIcon(m_user.icon, true, tokenEmblem());
    else
        setIcon(m_user.icon, false, QIcon());
    setUsername(m_user.username);
    setHostname(m_user.hostname);
    setLogged(m_user.logged);
}

UserData UserCellWidget::userData() const
{
    return m_user;
}

void UserCellWidget::setUsername(const QString& username)
{
    m_usernameLabel->setProperty(fullTextProperty, username);
    showElided(m_usernameLabel, username);
}

void UserCellWidget::setHostname(const QString& hostname)
{
    m_hostnameLabel->setTextFormat(Qt::PlainText);
    m_hostnameLabel->setProperty(fullTextProperty, hostname);
    showElided(m_hostnameLabel, hostname);
}

bool UserCellWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == m_usernameLabel || watched == m_hostnameLabel)) {
        auto* label = static_cast<QLabel*>(watched);
        showElided(label, label->property(fullTextProperty).toString());
    }
    return QWidget::eventFilter(watched, event);
}

void UserCellWidget::setLogged(bool logged)
{
    m_isLoggedLabel->setVisible(logged);
}

void UserCellWidget::setIcon(const QIcon& icon, bool withEmblem, const QIcon& emblem)
{
    const QSize size = Utils::caclulateRealPaintDeviceSize(m_iconLabel);
    m_iconLabel->setPixmap(withEmblem ? Utils::circlePixmapFromIconWithEmblem(icon, size, emblem)
                                      : Utils::circlePixmapFromIcon(icon, size));
}
