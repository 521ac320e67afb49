// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "WidgetMenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

WidgetMenu::WidgetMenu(QWidget* parent, QToolButton* button)
    : QMenu(parent)
    , m_button(button)
{
    setWindowFlags(windowFlags() & ~Qt::Window);
    hide();
    // A screen reader names the open menu after the button that opened it.
    setAccessibleName(m_button->accessibleName().isEmpty() ? m_button->text() : m_button->accessibleName());
    connect(this, &QMenu::triggered, this, &QWidget::hide);
    connect(m_button, &QToolButton::pressed, this, &WidgetMenu::toolButtonPressed);
    connect(this, &QMenu::aboutToHide, this, &WidgetMenu::performAboutToHide);
    // A shortcut presses the button without a mouse: the keyboard user then expects the
    // keyboard to be in the menu.
    m_button->installEventFilter(this);
}

WidgetMenu::~WidgetMenu() = default;

QToolButton* WidgetMenu::button() const
{
    return m_button;
}

void WidgetMenu::toolButtonPressed()
{
    const bool byShortcut = m_openedByShortcut;
    m_openedByShortcut = false;
    if (isVisible()) {
        hide();
        return;
    }
    showAtButton();
    if (byShortcut)
        focusFirstAction();
}

void WidgetMenu::showAtButton()
{
    m_button->setArrowType(Qt::UpArrow);
    if (!parentWidget()) {
        popup(m_button->mapToGlobal(QPoint(0, m_button->height())));
        return;
    }
    // popup() reads the position as global, which for a child widget it is not: the final
    // place is set in showEvent, once the menu knows its size.
    popup(positionFor(sizeHint()));
}

void WidgetMenu::performAboutToHide()
{
    const QList<QAction*> items = actions();
    for (QAction* action : items) {
        if (QMenu* submenu = action->menu(); submenu && submenu->isVisible())
            submenu->hide();
    }
    m_button->setArrowType(Qt::DownArrow);
}

void WidgetMenu::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        hide();
        m_button->setFocus(Qt::TabFocusReason);
    }
    QMenu::keyPressEvent(event);
}

void WidgetMenu::showEvent(QShowEvent* event)
{
    QMenu::showEvent(event);
    if (parentWidget()) {
        move(positionFor(size()));
        raise();
    }
}

void WidgetMenu::hideEvent(QHideEvent* event)
{
    // A hidden widget cannot keep the focus; without this Qt would pass it on to whatever
    // follows in the tab chain rather than to the button the menu belongs to.
    const bool hadFocus = hasFocus() || isAncestorOf(QApplication::focusWidget());
    QMenu::hideEvent(event);
    if (hadFocus && m_button->isVisible() && m_button->isEnabled())
        m_button->setFocus(Qt::OtherFocusReason);
}

bool WidgetMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_button && event->type() == QEvent::Shortcut)
        m_openedByShortcut = true;
    return QMenu::eventFilter(watched, event);
}

QPoint WidgetMenu::positionFor(const QSize& size) const
{
    // A little air between the button and the menu, so the menu does not read as part of
    // whatever frame holds the button.
    const int gap = 6;
    const QWidget* parent = parentWidget();
    const QPoint origin = parent->mapFromGlobal(m_button->mapToGlobal(QPoint(0, 0)));
    // The air is kept from the frame that holds the button (a bar, say), not from the button
    // inside it: the menu must not touch the frame's border.
    const QWidget* frame = m_button->parentWidget();
    if (!frame || frame == parent)
        frame = m_button;
    const int frameTop = parent->mapFromGlobal(frame->mapToGlobal(QPoint(0, 0))).y();
    const int frameBottom = frameTop + frame->height();
    QPoint position(origin.x(), frameBottom + gap);
    if (position.y() + size.height() > parent->height() && frameTop - size.height() - gap >= 0)
        position.setY(frameTop - size.height() - gap);
    position.setX(qBound(0, position.x(), qMax(0, parent->width() - size.width())));
    return position;
}

void WidgetMenu::focusFirstAction()
{
    setFocus(Qt::OtherFocusReason);
    if (activeAction())
        return;
    const QList<QAction*> items = actions();
    for (QAction* action : items) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            setActiveAction(action);
            return;
        }
    }
}
