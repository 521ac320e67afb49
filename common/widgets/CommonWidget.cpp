// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "CommonWidget.h"

#include "Accessibility.h"
#include "Utils.h"
#include "WidgetMenu.h"

#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

namespace
{

bool hits(const QWidget* widget, const QPoint& globalPos)
{
    return widget && widget->isVisible() && widget->rect().contains(widget->mapFromGlobal(globalPos));
}

} // namespace

CommonWidget::CommonWidget(QWidget* parent)
    : QWidget(parent)
{
}

CommonWidget::~CommonWidget()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void CommonWidget::load(QWidget* form)
{
    m_mainWidgetName = form->objectName();
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form, 0, 0);
    setLayout(layout);

    m_loginFailedLabel = Utils::findWidget<QLabel*>(QStringLiteral("loginFailedLabel"), this);
    Accessibility::markAsAlert(m_loginFailedLabel);
    m_modeLabel = Utils::findWidget<QLabel*>(QStringLiteral("modeLabel"), this);
    m_menusWidget = Utils::findWidget<QWidget*>(QStringLiteral("menusWidget"), this);
    m_virtualKeyboardToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("virtualKeyboardToolButton"), this);
    m_virtualKeyboardToolButton->setShortcut(QKeySequence(Qt::ALT | Qt::Key_K));
    connect(m_virtualKeyboardToolButton, &QToolButton::clicked, this, &CommonWidget::openVirtualKeyboardRequest);
    m_suspendToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("suspendToolButton"), this);
    connect(m_suspendToolButton, &QToolButton::clicked, this, &CommonWidget::suspendRequest);
    m_rebootToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("rebootToolButton"), this);
    connect(m_rebootToolButton, &QToolButton::clicked, this, &CommonWidget::rebootRequest);
    m_shutdownToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("shutdownToolButton"), this);
    connect(m_shutdownToolButton, &QToolButton::clicked, this, &CommonWidget::shutdownRequest);
    m_layoutToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("layoutToolButton"), this);
    connect(m_layoutToolButton, &QToolButton::clicked, this, &CommonWidget::changeLayoutRequest);
    m_actionsToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("actionsToolButton"), this);
    m_sessionsToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("sessionsToolButton"), this);

    // The menus are children of this widget, not of the form, so the form's style does not
    // reach them by itself.
    const QString styleSheet = form->styleSheet();
    m_actionsToolButton->setShortcut(QKeySequence(Qt::ALT | Qt::Key_O));
    auto* actions = new WidgetMenu(this, m_actionsToolButton);
    actions->setStyleSheet(styleSheet);
    m_actionsToolButton->setMenu(actions);
    m_sessionsToolButton->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Y));
    auto* sessions = new WidgetMenu(this, m_sessionsToolButton);
    sessions->setStyleSheet(styleSheet);
    m_sessionsToolButton->setMenu(sessions);

    connect(sessions, &QMenu::triggered, this, &CommonWidget::sessionsMenuActionTriggered);
    Accessibility::exposeChildMenus(this);
    qApp->installEventFilter(this);

    enableLoginFailedWidget(false);
    enableActions(false);
    enableSessions(false);
}

void CommonWidget::enableLoginFailedWidget(bool enable)
{
    Accessibility::showMessage(m_loginFailedLabel, enable);
}

void CommonWidget::enableShutdownWidgets(bool enable)
{
    m_rebootToolButton->setVisible(enable);
    m_shutdownToolButton->setVisible(enable);
}

void CommonWidget::enableSleepWidgets(bool enable)
{
    m_suspendToolButton->setVisible(enable);
}
void CommonWidget::enableActions(bool enable)
{
    m_actionsToolButton->setVisible(enable);
}
void CommonWidget::enableSessions(bool enable)
{
    m_sessionsToolButton->setVisible(enable);
}

void CommonWidget::lockAllControls(bool lock)
{
    // An open menu would stay usable under a disabled button.
    if (lock) {
        actionsMenu()->hide();
        sessionsMenu()->hide();
    }
    const QList<QToolButton*> buttons { m_virtualKeyboardToolButton, m_suspendToolButton, m_rebootToolButton,
        m_shutdownToolButton, m_layoutToolButton, m_actionsToolButton, m_sessionsToolButton };
    for (QToolButton* button : buttons)
        button->setEnabled(!lock);
}

void CommonWidget::setPelioModeText(const QString& text)
{
    m_modeLabel->setText(text);
}

void CommonWidget::showActionsMenu(bool show)
{
    auto* menu = static_cast<WidgetMenu*>(actionsMenu());
    if (!show)
        menu->hide();
    else if (!menu->isVisible())
        menu->showAtButton();
}

QString CommonWidget::mainWidgetName() const
{
    return m_mainWidgetName;
}
void CommonWidget::resetFocus()
{
    m_actionsToolButton->clearFocus();
}

void CommonWidget::insertWidgetToTabOrder(QWidget* widget)
{
    const QList<QWidget*> chain { m_menusWidget, widget, m_virtualKeyboardToolButton, m_rebootToolButton,
        m_suspendToolButton, m_shutdownToolButton };
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));
}

QString CommonWidget::selectedSessionType() const
{
    const QList<QAction*> actions = sessionsMenu()->actions();
    for (const QAction* action : actions) {
        if (action->isChecked())
            return action->data().toString();
    }
    return QString();
}

void CommonWidget::setActions(const QList<QAction*>& actions, const QList<QMenu*>& menus)
{
    QMenu* menu = actionsMenu();
    menu->clear();
    for (QMenu* submenu : menus) {
        submenu->setStyleSheet(menu->styleSheet());
        menu->addMenu(submenu);
    }
    menu->addActions(actions);
    enableActions(!actions.isEmpty());
}

void CommonWidget::setAvailableSessions(QMap<QString, SessionDescription> sessions)
{
    if (m_availableSessions != sessions)
        m_availableSessions = sessions;

    QMenu* menu = sessionsMenu();
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    const QList<QAction*> actions = createSessionActions();
    for (QAction* action : actions)
        group->addAction(action);
    menu->clear();
    menu->addActions(actions);

    // The replaced entries are gone from the menu; without this each call would leave its
    // actions and group behind for the life of the greeter.
    if (m_sessionGroup) {
        qDeleteAll(m_sessionGroup->actions());
        delete m_sessionGroup;
    }
    m_sessionGroup = group;

    enableSessions(!sessions.isEmpty());
    // Once only: a connection per call would announce every opening as often as the
    // sessions were set.
    connect(menu, &QMenu::aboutToShow, this, &CommonWidget::aboutToShowAvailibleSessionsMenu, Qt::UniqueConnection);
}

QList<QAction*> CommonWidget::createSessionActions()
{
    const QString locale = Utils::shortSystemLocale();
    QList<QAction*> actions;
    for (const SessionDescription& session : qAsConst(m_availableSessions)) {
        const QString text
            = session.names.contains(locale) ? session.names.value(locale) : session.names.value(QString());
        auto* action = new QAction(text, this);
        action->setCheckable(true);
        action->setData(session.type);
        actions << action;
    }
    return actions;
}

void CommonWidget::changeLayout(const QString& layout)
{
    const QString upper = layout.toUpper();
    const QString shown = upper == QLatin1String("US") ? QStringLiteral("EN") : upper;
    m_layoutToolButton->setText(shown);
    // The button's accessible name says what it is; which layout is on only shows in its text.
    Accessibility::setDescription(m_layoutToolButton, tr("Current layout: %1").arg(shown));
}

void CommonWidget::updateLastUserSession(const QString& sessionType)
{
    const QString marker = tr(" (previous)");
    const QList<QAction*> actions = sessionsMenu()->actions();
    for (QAction* action : actions) {
        QString text = action->text();
        if (action->data().toString() != sessionType) {
            if (text.contains(marker))
                action->setText(text.remove(marker));
            continue;
        }
        if (text.contains(marker))
            continue;
        action->setText(text + marker);
        if (!m_sessionChosenByUser) {
            m_userTrigger = false;
            action->trigger();
            m_userTrigger = true;
        }
    }
}

void CommonWidget::sessionsMenuActionTriggered(QAction* action)
{
    if (!action)
        return;
    if (m_userTrigger)
        m_sessionChosenByUser = true;

    const QString type = action->data().toString();
    SessionDescription session;
    for (const SessionDescription& candidate : qAsConst(m_availableSessions)) {
        if (candidate.type == type) {
            session = candidate;
            break;
        }
    }
    m_sessionsToolButton->setText(session.alias.isEmpty() ? tr("Session type") : session.alias);
    // The same for the session: the name stays "Session type", the choice is the description.
    const QString chosen = session.alias.isEmpty() ? action->text().remove(tr(" (previous)")) : session.alias;
    Accessibility::setDescription(m_sessionsToolButton, chosen.isEmpty() ? QString() : tr("Chosen: %1").arg(chosen));
    emit currentSessionTypeChanged(type);
}

bool CommonWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_actionsToolButton)
        return QWidget::eventFilter(watched, event);

    if (event->type() == QEvent::MouseButtonPress) {
        const QPoint globalPos = static_cast<QMouseEvent*>(event)->globalPos();
        hideMenuUnlessHit(actionsMenu(), m_actionsToolButton, globalPos, true);
        hideMenuUnlessHit(sessionsMenu(), m_sessionsToolButton, globalPos, false);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (!handleMenuKey(m_actionsToolButton, key))
            handleMenuKey(m_sessionsToolButton, key);
    }
    return QWidget::eventFilter(watched, event);
}

QMenu* CommonWidget::actionsMenu() const
{
    return m_actionsToolButton->menu();
}
QMenu* CommonWidget::sessionsMenu() const
{
    return m_sessionsToolButton->menu();
}

void CommonWidget::hideMenuUnlessHit(QMenu* menu, QToolButton* button, const QPoint& globalPos, bool keepForSubmenus)
{
    if (!menu || !menu->isVisible())
        return;
    // Positions are compared on the screen, so the rule holds wherever the form nests the
    // buttons and whether a submenu is a window of its own or not.
    if (hits(menu, globalPos) || hits(button, globalPos))
        return;
    if (keepForSubmenus) {
        const QList<QAction*> actions = menu->actions();
        for (const QAction* action : actions) {
            if (hits(action->menu(), globalPos))
                return;
        }
    }
    menu->hide();
}

bool CommonWidget::handleMenuKey(QToolButton* button, int key)
{
    auto* menu = qobject_cast<WidgetMenu*>(button->menu());
    if (!menu || !button->hasFocus() || !menu->isVisible())
        return false;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
        menu->hide();
        return true;
    case Qt::Key_Down:
        // After the key has reached the button: a button moves the focus on by itself.
        QMetaObject::invokeMethod(menu, &WidgetMenu::focusFirstAction, Qt::QueuedConnection);
        return true;
    default:
        return false;
    }
}
