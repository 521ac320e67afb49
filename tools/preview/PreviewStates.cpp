// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PreviewStates.h"

#include "BaseThemeWidget.h"
#include "GreeterManagers.h"
#include "KeyboardManager.h"
#include "LoginWidget.h"
#include "PreviewHost.h"
#include "Scenario.h"
#include "ToolkitPaths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTimer>

namespace
{

LoginWidget* loginWidget(PreviewHost& host)
{
    return host.widget()->findChild<LoginWidget*>();
}

template<typename T>
T* named(PreviewHost& host, const char* name)
{
    return host.widget()->findChild<T*>(QString::fromLatin1(name));
}

/// The first account of the scenario that matches @p wanted, or the first of all.
QString loginOf(const Scenario& scenario, const std::function<bool(const ScenarioAccount&)>& wanted)
{
    for (const ScenarioAccount& account : scenario.accounts) {
        if (wanted(account))
            return account.login;
    }
    return scenario.accounts.isEmpty() ? QString() : scenario.accounts.first().login;
}

/// Chooses @p login on the user page, types @p password and presses the login button.
void logIn(PreviewHost& host, const QString& login, const QString& password)
{
    loginWidget(host)->setCurrentUser(login);
    named<QLineEdit>(host, "passwordLineEdit")->setText(password);
    named<QAbstractButton>(host, "loginToolButton")->click();
}

/// Answers the generic theme's current prompt with @p answer.
void answerPrompt(PreviewHost& host, const QString& answer)
{
    named<QLineEdit>(host, "passwordLineEdit")->setText(answer);
    named<QAbstractButton>(host, "loginToolButton")->click();
}

void useGenericTheme(Scenario&, PreviewConfig& config)
{
    config.plugin = ToolkitPaths::plugin(QStringLiteral("generic-theme"));
    config.themeDir = ToolkitPaths::defaultTheme(QStringLiteral("generic-theme"));
}

QList<PreviewStates::State> allStates()
{
    // Which account each state needs is read from the scenario, not fixed here, so that any
    // scenario with such an account can be photographed.
    const auto none = [](Scenario&, PreviewConfig&) {};
    return {
        { QStringLiteral("user-info"), none, [](PreviewHost&, const Scenario&) {} },
        { QStringLiteral("users-grid"), none,
            [](PreviewHost& host, const Scenario&) {
                loginWidget(host)->setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
            } },
        { QStringLiteral("enter-username"), none,
            [](PreviewHost& host, const Scenario&) {
                loginWidget(host)->setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);
                named<QLineEdit>(host, "usernameLineEdit")->setText(QStringLiteral("anna"));
            } },
        { QStringLiteral("login-failed"), none,
            [](PreviewHost& host, const Scenario& scenario) {
                logIn(host, loginOf(scenario, [](const ScenarioAccount& a) { return a.lockedMessage.isEmpty(); }),
                    QStringLiteral("not the password"));
            } },
        { QStringLiteral("caps-lock"), none,
            [](PreviewHost& host, const Scenario&) {
                auto* keyboard = dynamic_cast<KeyboardManager*>(host.managers()->get(KeyboardManager::ID));
                emit keyboard->capsLockStateChanged(true);
            } },
        { QStringLiteral("expired-password"), none,
            [](PreviewHost& host, const Scenario& scenario) {
                const QString login = loginOf(scenario, [](const ScenarioAccount& a) { return a.expired; });
                logIn(host, login, scenario.account(login)->password);
            } },
        { QStringLiteral("extra-prompt"), none,
            [](PreviewHost& host, const Scenario& scenario) {
                const QString login
                    = loginOf(scenario, [](const ScenarioAccount& a) { return !a.extraPrompt.isEmpty(); });
                logIn(host, login, scenario.account(login)->password);
            } },
        { QStringLiteral("auto-login"),
            [](Scenario& s, PreviewConfig&) {
                if (s.autoLoginUser.isEmpty() && !s.accounts.isEmpty()) {
                    s.autoLoginUser = s.accounts.first().login;
                    s.autoLoginDelay = 10;
                }
            },
            [](PreviewHost&, const Scenario&) {} },
        { QStringLiteral("token"),
            [](Scenario& s, PreviewConfig&) {
                // The token mode: no list, the user whose token is plugged in stands ready. In a
                // domain token users are looked up in the machine's own database, which has none
                // of the scenario's people: the machine stays out of domains here.
                s.listUsers = false;
                s.domains.clear();
                s.scriptDomains.clear();
                bool any = false;
                for (ScenarioAccount& account : s.accounts)
                    any = any || account.token;
                if (!any && !s.accounts.isEmpty())
                    s.accounts.first().token = true;
            },
            [](PreviewHost&, const Scenario&) {} },
        { QStringLiteral("domain"),
            [](Scenario& s, PreviewConfig&) {
                if (s.domains.isEmpty())
                    s.domains = QStringList { QStringLiteral("corp.example") };
            },
            [](PreviewHost& host, const Scenario& scenario) {
                loginWidget(host)->setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);
                named<QLineEdit>(host, "usernameLineEdit")->setText(QStringLiteral("anna"));
                // The list of places arrives on the next turn of the event loop.
                QTimer::singleShot(100, host.widget(), [&host, domain = scenario.domains.first()] {
                    auto* hosts = named<QComboBox>(host, "hostsComboBox");
                    const int index = hosts->findText(domain);
                    if (index >= 0)
                        hosts->setCurrentIndex(index);
                });
            } },
        { QStringLiteral("switch-session"),
            [](Scenario& s, PreviewConfig&) { s.connection.switchDisplayAvailable = true; },
            [](PreviewHost& host, const Scenario&) {
                const QList<QMenu*> menus = host.widget()->findChildren<QMenu*>();
                for (QMenu* menu : menus) {
                    if (!menu->menuAction()->shortcut().isEmpty() && menu->actions().isEmpty())
                        menu->menuAction()->trigger();
                }
            } },
        { QStringLiteral("generic-prompt"), useGenericTheme,
            [](PreviewHost& host, const Scenario&) { answerPrompt(host, QStringLiteral("anna")); } },
        { QStringLiteral("generic-error"), useGenericTheme,
            [](PreviewHost& host, const Scenario& scenario) {
                const QString login
                    = loginOf(scenario, [](const ScenarioAccount& a) { return !a.lockedMessage.isEmpty(); });
                answerPrompt(host, login);
                QTimer::singleShot(400, host.widget(),
                    [&host, password = scenario.account(login)->password] { answerPrompt(host, password); });
            } },
    };
}

} // namespace

QStringList PreviewStates::names()
{
    QStringList result;
    for (const State& state : allStates())
        result << state.name;
    return result;
}

PreviewStates::State PreviewStates::state(const QString& name)
{
    for (const State& state : allStates()) {
        if (state.name == name)
            return state;
    }
    return State();
}

QImage PreviewStates::capture(PreviewHost& host)
{
    BaseThemeWidget* screen = host.widget();
    const qreal ratio = screen->devicePixelRatioF();
    QImage image(screen->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, screen->grab());
    // Dialogs and popup menus are windows of their own: each goes where it stands on the screen.
    const QPoint origin = screen->mapToGlobal(QPoint(0, 0));
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window == screen || !window->isVisible())
            continue;
        painter.drawPixmap(window->mapToGlobal(QPoint(0, 0)) - origin, window->grab());
    }
    return image;
}
