// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "SessionDescription.h"
#include "vestibule_common_export.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QWidget>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QToolButton;

/**
 * The bar of general controls: power and on-screen keyboard buttons, the keyboard layout,
 * the menus of extra actions and of session types, the system mode line and the login
 * failure line. It binds to a theme's form by object name and turns clicks into request
 * signals, which the theme connects to the managers.
 *
 * The widget owns the form given to load() and the two menus; the actions handed to
 * setActions() stay their owner's.
 */
class VESTIBULE_COMMON_EXPORT CommonWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CommonWidget(QWidget* parent = nullptr);
    ~CommonWidget() override;

    /**
     * Takes @p form into a zero-margin layout and binds to its named controls. Must run
     * before anything else; throws CommonException when a named control is missing.
     */
    void load(QWidget* form);

    void enableLoginFailedWidget(bool enable);
    void enableShutdownWidgets(bool enable);
    void enableSleepWidgets(bool enable);
    void enableActions(bool enable);
    void enableSessions(bool enable);
    /// Disables (or enables again) every button, e.g. while a login request is running.
    void lockAllControls(bool lock);
    void setPelioModeText(const QString& text);
    void showActionsMenu(bool show);
    /// The object name of the form given to load().
    QString mainWidgetName() const;
    void resetFocus();
    /// Puts @p widget (the login area) into the tab chain right after the button bar's start.
    void insertWidgetToTabOrder(QWidget* widget);
    /// The type of the checked session, or empty when none was chosen (the default applies).
    QString selectedSessionType() const;
    /**
     * Fills the actions menu with @p menus as submenus, then @p actions; the button shows
     * only when there are actions. The caller keeps ownership of both.
     */
    void setActions(const QList<QAction*>& actions, const QList<QMenu*>& menus);
    /// Replaces the session menu's entries, one per session in ascending order of type.
    void setAvailableSessions(QMap<QString, SessionDescription> sessions);
    /// New checkable actions, owned by this widget, one per available session.
    QList<QAction*> createSessionActions();

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    void openVirtualKeyboardRequest();
    void suspendRequest();
    void rebootRequest();
    void shutdownRequest();
    void changeLayoutRequest();
    void currentSessionTypeChanged(const QString& type);
    void aboutToShowAvailibleSessionsMenu();

public Q_SLOTS:
    /// Shows @p layout in upper case, the layout "us" as "EN".
    void changeLayout(const QString& layout);
    /**
     * Marks @p sessionType as the chosen user's previous session and, until the user has
     * picked a session by hand, selects it.
     */
    void updateLastUserSession(const QString& sessionType);
    void sessionsMenuActionTriggered(QAction* action);

private:
    QMenu* actionsMenu() const;
    QMenu* sessionsMenu() const;
    void hideMenuUnlessHit(QMenu* menu, QToolButton* button, const QPoint& globalPos, bool keepForSubmenus);
    bool handleMenuKey(QToolButton* button, int key);

    QString m_mainWidgetName;
    QMap<QString, SessionDescription> m_availableSessions;
    bool m_sessionChosenByUser = false;
    bool m_userTrigger = true;
    QActionGroup* m_sessionGroup = nullptr;

    QLabel* m_loginFailedLabel = nullptr;
    QLabel* m_modeLabel = nullptr;
    QWidget* m_menusWidget = nullptr;
    QToolButton* m_virtualKeyboardToolButton = nullptr;
    QToolButton* m_suspendToolButton = nullptr;
    QToolButton* m_rebootToolButton = nullptr;
    QToolButton* m_shutdownToolButton = nullptr;
    QToolButton* m_layoutToolButton = nullptr;
    QToolButton* m_actionsToolButton = nullptr;
    QToolButton* m_sessionsToolButton = nullptr;
};
