// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "GreeterHost.h"

#include "BaseThemeWidget.h"
#include "CatalogueInstaller.h"
#include "ConsoleAuthManager.h"
#include "Exceptions.h"
#include "FallbackLoginForm.h"
#include "GreeterManagers.h"
#include "HostBackend.h"
#include "HostKeyboard.h"
#include "HostReport.h"
#include "KeyboardManager.h"
#include "LocalAuthManager.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "SystemInfo.h"
#include "ThemeInfo.h"
#include "ThemeWidgetCreator.h"
#include "VirtualKeyboardManager.h"
#include "XKeyboard.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <exception>

GreeterHost::GreeterHost(const HostConfig& config, QObject* parent)
    : QObject(parent)
    , m_config(config)
{
}

GreeterHost::~GreeterHost()
{
    tearDown();
}

BaseThemeWidget* GreeterHost::widget() const
{
    return m_widget.get();
}

QWidget* GreeterHost::window() const
{
    if (m_widget)
        return m_widget.get();
    return m_fallback.get();
}

GreeterManagers* GreeterHost::managers() const
{
    return m_managers.get();
}

HostBackend* GreeterHost::backend() const
{
    return m_backend.get();
}

void GreeterHost::start(const HostSetup& setup, const BackendFactory& makeBackend)
{
    tearDown();
    // The host's own words (the built-in form, the backends' messages), once per process; the
    // catalogue is looked up only now, when a host has put the system paths where they belong.
    static const bool catalogueInstalled = CatalogueInstaller::install(QStringLiteral("vestibule_host"));
    Q_UNUSED(catalogueInstalled)
    HostKeyboard::init();
    buildManagers(setup);
    m_backend = makeBackend(m_managers.get());
    connect(m_backend.get(), &HostBackend::sessionStarted, this, &GreeterHost::sessionStarted);

    m_widget.reset(buildTheme());
    if (!m_widget) {
        m_fallback = std::make_unique<FallbackLoginForm>(HostBackend::managerOf<LocalAuthManager>(m_managers.get()));
        m_fallback->setWindowTitle(m_config.windowTitle);
        show(m_fallback.get());
        return;
    }
    m_widget->setWindowTitle(m_config.windowTitle);
    connectMessages(m_widget.get());
    show(m_widget.get());
    m_widget->exec();
}

void GreeterHost::tearDown()
{
    // The theme points into the registry: it goes first, and the backend answers nothing while it does.
    if (m_backend)
        m_backend->stop();
    m_widget.reset();
    m_fallback.reset();
    m_backend.reset();
    m_managers.reset();
}

void GreeterHost::buildManagers(const HostSetup& setup)
{
    // Every manager, without a parent, into the registry that owns them.
    auto* auth = new LocalAuthManager(setup.autoLoginDelay, setup.autoLoginUser);
    auth->setHostname(setup.hostname);
    auth->setFocusPassword(true);
    const QSet<Manager*> all {
        auth,
        new UsersManager(setup.accounts, setup.faces, setup.tokenUsersOnly, setup.listUsers, setup.defaultUser,
            setup.preselUser, setup.userCompletion, setup.firstScreen, setup.listUsers),
        new SessionsManager(setup.sessions),
        new ShutdownManager(!setup.shutdownAllowed),
        new ConsoleAuthManager(setup.console),
        new ConnectionManager(setup.connection),
        new KeyboardManager(XKeyboard::instance()),
        new VirtualKeyboardManager(setup.virtualKeyboard, 0),
    };
    m_managers = std::make_unique<GreeterManagers>(all);
}

BaseThemeWidget* GreeterHost::buildTheme()
{
    QList<QPair<QString, QString>> candidates { { m_config.themeDir, m_config.plugin } };
    candidates += m_config.fallbackThemes;
    QString lastError;
    for (const auto& [themeDir, plugin] : qAsConst(candidates)) {
        if (!lastError.isEmpty())
            reportOnStderr(QStringLiteral("trying the theme %1 instead").arg(themeDir));
        try {
            return createTheme(themeDir, plugin);
        } catch (const DetailsException& error) {
            lastError = error.fullDetails();
        } catch (const std::exception& error) {
            lastError = QString::fromLocal8Bit(error.what());
        }
        reportOnStderr(QStringLiteral("the theme %1 cannot be shown: %2").arg(themeDir, lastError));
    }
    if (!m_config.builtInFallback)
        throw CommonException(lastError);
    reportOnStderr(QStringLiteral("no theme can be shown; showing the built-in login form"));
    return nullptr;
}

BaseThemeWidget* GreeterHost::createTheme(const QString& themeDir, const QString& plugin) const
{
    ThemeInfo info(themeDir);
    info.read();
    SystemInfo systemInfo;
    systemInfo.loginPlugins = QStringList { plugin };
    systemInfo.listUsers = HostBackend::managerOf<UsersManager>(m_managers.get())->userListEnabled();
    systemInfo.language = m_config.language;
    systemInfo.prevUserKey = QStringLiteral("user");
    systemInfo.prevUserFile = m_config.prevUserFile;
    return ThemeWidgetCreator::create(info, systemInfo, m_managers.get());
}

void GreeterHost::connectMessages(BaseThemeWidget* widget)
{
    connect(widget, &BaseThemeWidget::showMessageError, this, [this, widget](const QString& message) {
        emit themeMessage(QStringLiteral("error"), message);
        QMessageBox::critical(widget, tr("Error"), message);
    });
    connect(widget, &BaseThemeWidget::showMessageWarning, this, [this, widget](const QString& message) {
        emit themeMessage(QStringLiteral("warning"), message);
        QMessageBox::warning(widget, tr("Warning"), message);
    });
}

void GreeterHost::show(QWidget* window)
{
    if (m_config.fullscreen) {
        // A greeter's X server has no window manager to make the window as large as the screen.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window->setGeometry(screen->geometry());
        window->showFullScreen();
    } else {
        window->resize(m_config.geometry);
        window->show();
    }
    window->activateWindow();
}
