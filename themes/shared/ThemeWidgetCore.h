// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AuthData.h"
#include "BaseThemeWidget.h"
#include "DateTimeWidgetHandler.h"
#include "Exceptions.h"
#include "GreeterManagers.h"
#include "Manager.h"
#include "SessionDescription.h"
#include "ShutdownAction.h"
#include "SystemInfo.h"
#include "ThemeDescription.h"
#include "ThemeSettings.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QTimer>

#include <functional>

class BackgroundWidget;
class CommonWidget;
class ConnectionManager;
class ConsoleAuthManager;
class KeyboardManager;
class LocalAuthManager;
class LoginWidget;
class NewPasswordDialog;
class QAction;
class QMenu;
class SessionsManager;
class ShutdownManager;
class UsersManager;
class VirtualKeyboardManager;

/**
 * What the standard and the generic theme widget share: the parts of the screen, the
 * managers looked up in the registry, and every step that builds or drives the screen the
 * same way in both themes. Each plug-in's ThemeWidget derives from it and declares its own
 * signals and slots; the slots call in here.
 *
 * The common widget and the login widget become children of the theme widget once placed;
 * the managers belong to the registry and are only pointed to.
 */
class ThemeWidgetCore : public BaseThemeWidget
{
    Q_OBJECT
public:
    ~ThemeWidgetCore() override;

    /// The background as it is drawn now, at the theme widget's size.
    QPixmap backgroundPixmap() const override;

    /// Gives the keyboard back to the screen when one of the greeter's dialogs closes.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    ThemeWidgetCore();

    /// Which login form the login widget binds to.
    enum class LoginMode { Standard, Generic };

    /// Copies the host's records, stores the registry and installs the theme's catalogues.
    void beginSetup(const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo);
    /// Reads settings.yaml; a missing or broken file leaves the theme without settings.
    void loadThemeSettings();
    /// The session map with each session's alias from settings.yaml for the host's language.
    void applySessionAliases(QMap<QString, SessionDescription>& sessions) const;
    void createCommonWidget(const QMap<QString, SessionDescription>& sessions);
    void createLoginWidget(LoginMode mode, const QString& greeting);
    /// The background widget, set up from the settings for the current size.
    void createBackground();
    /// Chooses wallpaper, logo, blur and veil from the settings again and sizes the background.
    void applyBackground();
    /// True until the background has been chosen for a size the host gave.
    bool backgroundPending() const;
    /// The common widget fills the screen; the login area goes into its "centralGridLayout".
    void placeWidgets(bool loginWidgetInTabOrder);
    void startDateTime();

    /// The keyboard's current layout now and once more when the keyboard has settled.
    void showCurrentLayout();
    /// An action of the actions menu, reachable everywhere in the greeter by @p shortcut.
    QAction* createAction(const QString& text, const QKeySequence& shortcut);
    /// The menu of running display sessions, driven by the connection manager.
    QMenu* createSwitchSessionMenu(const std::function<void()>& updated);
    /// Locks the screen and hands the login to the authentication manager.
    void sendLoginRequest(const AuthData& data);
    /// The failure line and a fresh 2000 ms pause (a failure during a pause restarts it).
    void startFailurePause();
    /// Ends the pause: controls usable again, password cleared and focused.
    void endFailurePause();
    /// Hides the actions menu and asks the host for @p action.
    void requestShutdown(ShutdownAction action);
    /// A new-password dialog wired to the authentication manager; it deletes itself when rejected.
    NewPasswordDialog* openPasswordDialog(bool withAuth);
    /// The auto-login countdown, when the host configured one.
    void runAutoLogin();

    /// The manager registered under @p id as a @p T; throws CommonException when it is missing or not a @p T.
    template<typename T>
    T* lookUpManager(const QString& id) const
    {
        Manager* found = managers ? managers->get(id) : nullptr;
        if (!found)
            throw CommonException(QCoreApplication::translate("ThemeWidget", "Greeter manager '%1' not found").arg(id));
        T* converted = dynamic_cast<T*>(found);
        if (!converted)
            throw CommonException(
                QCoreApplication::translate("ThemeWidget", "Menager '%1' convertation error").arg(id));
        return converted;
    }

    BackgroundWidget* background = nullptr;
    ThemeSettings themeSettings;
    ThemeDescription description { QString() };
    DateTimeWidgetHandler dateTime;
    UsersManager* usersManager = nullptr;
    LocalAuthManager* localAuthManager = nullptr;
    VirtualKeyboardManager* virtualKeyboardManager = nullptr;
    KeyboardManager* keyboardManager = nullptr;
    ShutdownManager* shutdownManager = nullptr;
    SessionsManager* sessionsManager = nullptr;
    ConnectionManager* connectionManager = nullptr;
    ConsoleAuthManager* consoleAuthManager = nullptr;
    CommonWidget* commonWidget = nullptr;
    LoginWidget* loginWidget = nullptr;
    QTimer loginFailedTimer;
    QAction* authPageAction = nullptr; ///< created by the standard theme only
    SystemInfo systemInfo;

private:
    void installThemeTranslations() const;
    QWidget* buildForm(const QString& fileName) const;
    QPixmap loadPicture(const QString& path);

    // The last wallpaper decoded: a resize to the same file does not decode it again.
    QString m_wallpaperPath;
    QPixmap m_wallpaper;
    bool m_backgroundPending = false;
};
