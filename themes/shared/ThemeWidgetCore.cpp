// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeWidgetCore.h"

#include "AutoLoginDialog.h"
#include "BackgroundWidget.h"
#include "CommonWidget.h"
#include "ConnectionManager.h"
#include "KeyboardManager.h"
#include "LocalAuthManager.h"
#include "LoginWidget.h"
#include "NewPasswordDialog.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "SystemPaths.h"
#include "ThemeWidgetCreator.h"
#include "Utils.h"
#include "WallpaperUtils.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace
{

const QString defaultWallpaperName = QStringLiteral("nimb-default-modern");
// The keyboard reports its layout reliably only once the X server has applied the
// configuration; the layout is read once more after this pause.
constexpr int layoutSettleMs = 1000;
constexpr int loginFailedPauseMs = 2000;

/// The settings the default wallpaper implies wherever the theme's file leaves a value out.
void completeDefaultWallpaperSettings(BackgroundSettings& settings)
{
    if (!settings.blur.hasEnable) {
        settings.blur.hasEnable = true;
        settings.blur.enable = true;
    }
    if (!settings.blur.hasRadius) {
        settings.blur.hasRadius = true;
        settings.blur.radius = 5.0;
    }
    if (!settings.logo.hasEnable) {
        settings.logo.hasEnable = true;
        settings.logo.enable = true;
    }
    if (!settings.hasColorOverlay) {
        settings.hasColorOverlay = true;
        settings.colorOverlay = QColor::fromRgba64(0, 0, 0, 0x6666);
    }
    if (!settings.hasKeepProportions) {
        settings.hasKeepProportions = true;
        settings.keepProportions = false;
    }
}

} // namespace

ThemeWidgetCore::ThemeWidgetCore()
{
    loginFailedTimer.setInterval(loginFailedPauseMs);
    qApp->installEventFilter(this);
}

ThemeWidgetCore::~ThemeWidgetCore()
{
    qApp->removeEventFilter(this);
    // A setup that failed half-way leaves widgets that never joined the screen.
    if (loginWidget && !loginWidget->parent())
        delete loginWidget;
    if (commonWidget && !commonWidget->parent())
        delete commonWidget;
}

QPixmap ThemeWidgetCore::backgroundPixmap() const
{
    if (!background)
        return QPixmap();
    return background->grab(QRect(0, 0, width(), height()));
}

bool ThemeWidgetCore::eventFilter(QObject* watched, QEvent* event)
{
    // A greeter's X server has no window manager: when a dialog or message box closes, no one
    // hands the keyboard back, and a user without a pointer could not type any more. Only
    // the closing of a dialog of this process moves the focus, never another program's window.
    if (event->type() == QEvent::Hide && watched != this) {
        auto* closed = qobject_cast<QWidget*>(watched);
        if (closed && closed->isWindow() && closed->windowType() == Qt::Dialog) {
            QTimer::singleShot(0, this, [this] {
                if (QApplication::activeWindow() || !isVisible())
                    return;
                QWidget* next = QApplication::activeModalWidget();
                (next ? next : static_cast<QWidget*>(this))->activateWindow();
            });
        }
    }
    return BaseThemeWidget::eventFilter(watched, event);
}

void ThemeWidgetCore::beginSetup(
    const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo)
{
    this->systemInfo = systemInfo;
    this->description = description;
    insertManagers(managers);
    installThemeTranslations();
}

void ThemeWidgetCore::installThemeTranslations() const
{
    if (systemInfo.language.isEmpty())
        return;
    const QDir dir = QFileInfo(description.path()).absoluteDir();
    const QFileInfoList files = dir.entryInfoList(
        { QStringLiteral("*_%1.qm").arg(systemInfo.language) }, QDir::Files | QDir::Readable, QDir::Unsorted);
    for (const QFileInfo& file : files) {
        // Owned by the application: the theme's texts stay translated for the process's life.
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(file.absoluteFilePath()))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

void ThemeWidgetCore::loadThemeSettings()
{
    try {
        themeSettings.load(description.dirPath() + QStringLiteral("/settings.yaml"));
    } catch (const std::exception&) {
        // A theme without settings still gives a working screen, with no picture and no renamings.
    }
}

void ThemeWidgetCore::applySessionAliases(QMap<QString, SessionDescription>& sessions) const
{
    QMap<QString, QString> aliases;
    try {
        aliases = themeSettings.sessionAliases(systemInfo.language);
    } catch (const std::exception& error) {
        // One mistyped entry must not leave the machine without a login screen.
        std::fprintf(stderr, "standard-theme: %s: session aliases ignored: %s\n",
            qUtf8Printable(description.dirPath() + QStringLiteral("/settings.yaml")), error.what());
    }
    for (SessionDescription& session : sessions)
        session.alias = aliases.value(session.type);
}

QWidget* ThemeWidgetCore::buildForm(const QString& fileName) const
{
    QWidget* form = ThemeWidgetCreator::create(description.dirPath() + fileName);
    if (!form) {
        throw CommonException(QCoreApplication::translate("ThemeWidget", "The file '%1' is not a form")
                                  .arg(description.dirPath() + fileName));
    }
    return form;
}

namespace
{

/// Runs @p load on @p form; a form that the widget did not take in before a failure is deleted.
template<typename Load>
void loadForm(QWidget* form, const Load& load)
{
    try {
        load(form);
    } catch (...) {
        if (!form->parent())
            delete form;
        throw;
    }
}

} // namespace

void ThemeWidgetCore::createCommonWidget(const QMap<QString, SessionDescription>& sessions)
{
    commonWidget = new CommonWidget();
    loadForm(buildForm(QStringLiteral("/common_widget.ui")), [this](QWidget* form) { commonWidget->load(form); });
    commonWidget->setAvailableSessions(sessions);
}

void ThemeWidgetCore::createLoginWidget(LoginMode mode, const QString& greeting)
{
    loginWidget = new LoginWidget();
    loadForm(buildForm(QStringLiteral("/central_widget.ui")), [this, mode, &greeting](QWidget* form) {
        if (mode == LoginMode::Generic) {
            loginWidget->loadGeneric(form, description);
        } else {
            loginWidget->setGreetString(greeting);
            loginWidget->load(form, description);
        }
    });
    loginWidget->enableHostnameSelection(false);
}

void ThemeWidgetCore::createBackground()
{
    background = new BackgroundWidget(this);
    // Hosts build the theme before they give it its size. The picture is chosen for the
    // screen, so the choice waits for the first real size rather than being made (and a
    // wallpaper decoded and blurred) for a size the screen never has.
    if (isVisible() || testAttribute(Qt::WA_Resized))
        applyBackground();
    else
        m_backgroundPending = true;
}

bool ThemeWidgetCore::backgroundPending() const
{
    return m_backgroundPending;
}

QPixmap ThemeWidgetCore::loadPicture(const QString& path)
{
    if (path != m_wallpaperPath || m_wallpaper.isNull()) {
        m_wallpaperPath = path;
        m_wallpaper = path.isEmpty() ? QPixmap() : QPixmap(path);
    }
    return m_wallpaper;
}

void ThemeWidgetCore::applyBackground()
{
    m_backgroundPending = false;
    BackgroundSettings settings;
    try {
        settings = themeSettings.background();
    } catch (const std::exception&) {
        // Values of the wrong kind leave the background unset.
    }

    const qreal ratio = devicePixelRatioF();
    const int deviceWidth = qRound(width() * ratio);
    const int deviceHeight = qRound(height() * ratio);
    const QDir themeDir(description.dirPath());

    if (settings.hasPath) {
        QString path;
        if (settings.path == defaultWallpaperName) {
            completeDefaultWallpaperSettings(settings);
            bool found = false;
            path = QString::fromStdString(
                Utils::FindNimbWallPaper(deviceWidth, deviceHeight, &found, systemInfo.wallpaperDir));
        } else {
            path = themeDir.absoluteFilePath(settings.path);
        }
        background->setImage(loadPicture(path));
    }
    if (settings.logo.hasEnable && settings.logo.enable) {
        const QString logo = settings.logo.hasPath
            ? settings.logo.path
            : themeDir.absoluteFilePath(QString::fromStdString(Utils::NimbDefaultLogoPath(
                QFile::encodeName(SystemPaths::defaultLogoBase()).toStdString(), deviceWidth, deviceHeight, "white")));
        background->setLogo(QPixmap(logo));
    }
    if (settings.blur.hasEnable && settings.blur.enable)
        background->setBlurRadius(settings.blur.hasRadius ? settings.blur.radius : 0.0);
    if (settings.hasColorOverlay)
        background->setColor(settings.colorOverlay);
    if (settings.hasKeepProportions)
        background->setKeepProportions(settings.keepProportions);
    background->resize(size());
}

void ThemeWidgetCore::placeWidgets(bool loginWidgetInTabOrder)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(commonWidget);
    Utils::findWidget<QGridLayout*>(QStringLiteral("centralGridLayout"), this)->addWidget(loginWidget);
    if (loginWidgetInTabOrder)
        commonWidget->insertWidgetToTabOrder(loginWidget);

    // A login form may keep a place for the failure line next to where the password is
    // typed. The line keeps its room there while hidden, so nothing moves when it shows.
    if (auto* place = loginWidget->findChild<QBoxLayout*>(QStringLiteral("loginFailedLayout"))) {
        auto* line = Utils::findWidget<QLabel*>(QStringLiteral("loginFailedLabel"), commonWidget);
        QSizePolicy policy = line->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        line->setSizePolicy(policy);
        place->addWidget(line, 0, Qt::AlignHCenter);
    }
}

void ThemeWidgetCore::startDateTime()
{
    dateTime.load(Utils::findWidget<QWidget*>(QStringLiteral("dateTimeWidget"), this));
    dateTime.start();
}

void ThemeWidgetCore::showCurrentLayout()
{
    commonWidget->changeLayout(keyboardManager->getCurrentLayout());
    QTimer::singleShot(
        layoutSettleMs, commonWidget, [this] { commonWidget->changeLayout(keyboardManager->getCurrentLayout()); });
}

QAction* ThemeWidgetCore::createAction(const QString& text, const QKeySequence& shortcut)
{
    auto* action = new QAction(text, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::ApplicationShortcut);
    // A shortcut fires only for an action on a shown widget; the actions menu is shown
    // only now and then, the theme widget always.
    addAction(action);
    return action;
}

QMenu* ThemeWidgetCore::createSwitchSessionMenu(const std::function<void()>& updated)
{
    auto* menu = new QMenu(QCoreApplication::translate("ThemeWidget", "Switch session"), commonWidget);
    menu->hide();
    QAction* menuAction = menu->menuAction();
    menuAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_I));
    menuAction->setShortcutContext(Qt::ApplicationShortcut);
    addAction(menuAction);

    connect(menu, &QMenu::aboutToShow, connectionManager, &ConnectionManager::displaySessionsRequest);
    connect(connectionManager, &ConnectionManager::updateDisplaySessions, menu,
        [menu, updated](const DpyDescriptions& sessions) {
            menu->clear();
            for (const DpyDescription& session : sessions) {
                QAction* entry = menu->addAction(
                    QCoreApplication::translate("ThemeWidget", "%1 (%2)").arg(session.caption, session.detail));
                entry->setData(session.vt == 0 ? -1 : session.vt);
                entry->setCheckable(true);
                entry->setEnabled(session.vt != 0);
                entry->setChecked(session.current);
            }
            updated();
        });
    connect(menu, &QMenu::triggered, connectionManager, [this](QAction* entry) {
        // Choosing the session already shown only takes its mark away.
        if (entry->isChecked())
            connectionManager->switchDisplay(entry->data().toInt());
    });
    connect(menuAction, &QAction::triggered, menu, [this, menu] {
        if (menu->isVisible()) {
            menu->hide();
            return;
        }
        auto* actionsButton = commonWidget->findChild<QToolButton*>(QStringLiteral("actionsToolButton"));
        QMenu* actionsMenu = actionsButton ? actionsButton->menu() : nullptr;
        if (!actionsMenu)
            return;
        commonWidget->showActionsMenu(true);
        // The actions menu takes its place on showing; the list opens beside it once it has.
        QTimer::singleShot(0, menu, [this, menu, actionsMenu] {
            const QRect area(actionsMenu->mapTo(this, QPoint(0, 0)), actionsMenu->size());
            menu->popup(mapToGlobal(QPoint(area.x() + area.width(), area.y())));
            // Its entries arrive as it opens; where the screen ends beside the actions menu,
            // the list moves to its other side.
            if (area.x() + area.width() + menu->width() > width())
                menu->move(mapToGlobal(QPoint(std::max(0, area.x() - menu->width()), area.y())));
            commonWidget->showActionsMenu(true);
        });
    });
    return menu;
}

void ThemeWidgetCore::sendLoginRequest(const AuthData& data)
{
    loginWidget->enableLoginWidgets(false);
    commonWidget->lockAllControls(true);
    commonWidget->resetFocus();
    const QString sessionType = commonWidget->selectedSessionType();
    if (!sessionType.isEmpty())
        sessionsManager->setNextSessionType(sessionType);
    localAuthManager->performLoginRequest(data);
}

void ThemeWidgetCore::startFailurePause()
{
    commonWidget->enableLoginFailedWidget(true);
    loginFailedTimer.start();
}

void ThemeWidgetCore::endFailurePause()
{
    loginFailedTimer.stop();
    commonWidget->lockAllControls(false);
    commonWidget->enableLoginFailedWidget(false);
    loginWidget->clearPassword();
    loginWidget->enableLoginWidgets(true);
    loginWidget->setFocusOnPassword();
}

void ThemeWidgetCore::requestShutdown(ShutdownAction action)
{
    commonWidget->showActionsMenu(false);
    shutdownManager->doShutdown(action);
}

NewPasswordDialog* ThemeWidgetCore::openPasswordDialog(bool withAuth)
{
    auto* dialog = new NewPasswordDialog(this, withAuth);
    connect(dialog, &QDialog::rejected, localAuthManager, &LocalAuthManager::newPasswordInsertionRejected);
    connect(localAuthManager, &LocalAuthManager::successLogin, dialog, &NewPasswordDialog::acceptDialog);
    connect(localAuthManager, &LocalAuthManager::pamErrorReceived, dialog, &NewPasswordDialog::showErrorMessage);
    connect(dialog, &QDialog::rejected, dialog, &QObject::deleteLater);
    dialog->show();
    dialog->activateWindow();
    return dialog;
}

void ThemeWidgetCore::runAutoLogin()
{
    if (!localAuthManager || !localAuthManager->autoLoginEnabled())
        return;
    loginWidget->setCurrentUser(localAuthManager->autoLoginUser());
    loginWidget->setCurrentAuthPage(LoginWidget::EnterUsernamePage, false);
    commonWidget->setEnabled(false);

    AutoLoginDialog dialog(localAuthManager->autoLoginUser(), localAuthManager->autoLoginDelay(), this);
    if (dialog.exec() != QDialog::Accepted) {
        commonWidget->setEnabled(true);
        // The field was to get the focus while everything was disabled: it gets it now.
        loginWidget->setFocusOnPassword();
        return;
    }
    CommonWidget* controls = commonWidget;
    connect(localAuthManager, &LocalAuthManager::loginFailed, controls, [controls] { controls->setEnabled(true); });
    localAuthManager->performAutoLoginRequest();
}
