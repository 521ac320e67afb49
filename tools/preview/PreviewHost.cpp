// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PreviewHost.h"

#include "BaseThemeWidget.h"
#include "ConsoleAuthManager.h"
#include "EventLog.h"
#include "Exceptions.h"
#include "GreeterManagers.h"
#include "KeyboardManager.h"
#include "LocalAuthManager.h"
#include "SessionReader.h"
#include "SessionsManager.h"
#include "ShutdownManager.h"
#include "SimulatedBackend.h"
#include "SystemInfo.h"
#include "ThemeInfo.h"
#include "ThemeWidgetCreator.h"
#include "UserIcon.h"
#include "UserInfo.h"
#include "VirtualKeyboardManager.h"
#include "XKeyboard.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace
{

/// Hands the X server's keyboard events to the keyboard object, which reports layout and Caps Lock.
class KeyboardEventRouter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override
    {
        try {
            XKeyboard::instance()->xcbGenericEventHandle(eventType, message, result);
        } catch (const DetailsException& error) {
            // Once is enough: the screen goes on without layout updates.
            if (!m_reported) {
                m_reported = true;
                std::fprintf(stderr, "vestibule-preview: keyboard events cannot be read: %s\n",
                    qUtf8Printable(error.fullDetails()));
            }
        }
        return false;
    }

private:
    bool m_reported = false;
};

/// The first duty of a host, once per process: the keyboard, with its events routed to it.
void initKeyboard()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    try {
        XKeyboard::instance()->init();
        static KeyboardEventRouter router;
        qApp->installNativeEventFilter(&router);
    } catch (const DetailsException& error) {
        std::fprintf(stderr, "vestibule-preview: no keyboard layouts: %s\n", qUtf8Printable(error.fullDetails()));
    }
}

QIcon faceFor(const ScenarioAccount& account)
{
    if (account.face.startsWith(QLatin1String("builtin:")))
        return QIcon(QStringLiteral(":/preview/faces/%1.svg").arg(account.face.mid(8)));
    return account.face.isEmpty() ? QIcon() : QIcon(account.face);
}

} // namespace

PreviewHost::PreviewHost(const Scenario& scenario, const PreviewConfig& config, QObject* parent)
    : QObject(parent)
    , m_scenario(scenario)
    , m_config(config)
{
}

PreviewHost::~PreviewHost()
{
    tearDown();
}

BaseThemeWidget* PreviewHost::widget() const
{
    return m_widget.get();
}
GreeterManagers* PreviewHost::managers() const
{
    return m_managers.get();
}
SimulatedBackend* PreviewHost::backend() const
{
    return m_backend.get();
}

void PreviewHost::start()
{
    initKeyboard();
    build();
    if (m_config.fullscreen) {
        // A greeter's X server has no window manager to make the window as large as the screen.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            m_widget->setGeometry(screen->geometry());
        m_widget->showFullScreen();
    } else {
        m_widget->resize(m_config.geometry);
        m_widget->show();
    }
    m_widget->activateWindow();
    m_widget->exec();
}

void PreviewHost::build()
{
    // Users and faces, then sessions.
    QList<PasswdLine> accounts;
    QMap<QString, QIcon> faces { { QString(), QIcon(QStringLiteral(":/preview/faces/default.svg")) } };
    QList<SessionDescription> sessions = m_scenario.sessions;
    if (m_config.systemUsers) {
        UserInfo::Filter filter;
        filter.showAll = true;
        filter.minUid = 1000;
        filter.maxUid = 60000;
        filter.sortUsers = true;
        accounts = UserInfo::getUserList(filter);
        faces.insert(UserIcon::getUserIcons(QStringLiteral("/var/lib/AccountsService/icons"), PreferAdmin));
        sessions = SessionReader::readDirs(QStringList { QStringLiteral("/usr/share/xsessions") });
    } else {
        uint32_t uid = 1000;
        for (const ScenarioAccount& account : qAsConst(m_scenario.accounts)) {
            PasswdLine line;
            line.name = account.login;
            line.uid = line.gid = uid++;
            line.gecos = account.realName;
            line.dir = QStringLiteral("/home/") + account.login;
            line.shell = QStringLiteral("/bin/bash");
            accounts << line;
            const QIcon face = faceFor(account);
            if (!face.isNull())
                faces.insert(account.login, face);
        }
    }

    // Every manager, without a parent, into the registry that owns them.
    auto* auth = new LocalAuthManager(m_scenario.autoLoginDelay, m_scenario.autoLoginUser);
    auth->setHostname(m_scenario.hostname);
    auth->setFocusPassword(true);
    const QSet<Manager*> all {
        auth,
        new UsersManager(accounts, faces, m_scenario.tokenUsersOnly, m_scenario.listUsers, m_scenario.defaultUser,
            m_scenario.preselUser, m_scenario.userCompletion, m_scenario.firstScreen, m_scenario.listUsers),
        new SessionsManager(sessions),
        new ShutdownManager(!m_scenario.shutdownAllowed),
        new ConsoleAuthManager(m_scenario.console),
        new ConnectionManager(m_scenario.connection),
        new KeyboardManager(XKeyboard::instance()),
        new VirtualKeyboardManager(m_scenario.virtualKeyboard, 0),
    };
    m_managers = std::make_unique<GreeterManagers>(all);
    m_backend = std::make_unique<SimulatedBackend>(m_scenario, m_managers.get());
    connect(m_backend.get(), &SimulatedBackend::sessionStarted, this, &PreviewHost::onSessionStarted);

    // The theme.
    ThemeInfo info(m_config.themeDir);
    info.read();
    SystemInfo systemInfo;
    systemInfo.loginPlugins = QStringList { m_config.plugin };
    systemInfo.listUsers = m_scenario.listUsers;
    systemInfo.language = m_config.language;
    systemInfo.prevUserKey = QStringLiteral("user");
    systemInfo.prevUserFile = m_config.prevUserFile;
    m_widget.reset(ThemeWidgetCreator::create(info, systemInfo, m_managers.get()));
    m_widget->setWindowTitle(QStringLiteral("vestibule-preview"));

    BaseThemeWidget* widget = m_widget.get();
    connect(widget, &BaseThemeWidget::showMessageError, this, [widget](const QString& message) {
        EventLog::write(QStringLiteral("showMessageError"), { { QStringLiteral("message"), message } });
        QMessageBox::critical(widget, tr("Error"), message);
    });
    connect(widget, &BaseThemeWidget::showMessageWarning, this, [widget](const QString& message) {
        EventLog::write(QStringLiteral("showMessageWarning"), { { QStringLiteral("message"), message } });
        QMessageBox::warning(widget, tr("Warning"), message);
    });
}

void PreviewHost::tearDown()
{
    // The theme points into the registry: it goes first.
    if (m_backend)
        m_backend->stop();
    m_widget.reset();
    m_backend.reset();
    m_managers.reset();
}

void PreviewHost::onSessionStarted()
{
    // Out of the signal's way: the theme that sent it is about to be deleted.
    QTimer::singleShot(0, this, [this] {
        if (!m_config.stay) {
            emit finished(0);
            return;
        }
        tearDown();
        try {
            start();
        } catch (const DetailsException& error) {
            std::fprintf(stderr, "vestibule-preview: %s\n", qUtf8Printable(error.fullDetails()));
            emit finished(2);
        }
    });
}
