// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PrivateSystemBus.h"

#include "TestFiles.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <signal.h>
#include <sys/prctl.h>

namespace
{

/// The directory of this process's bus socket and configuration, kept for the process's life.
QTemporaryDir& busDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString busConfig()
{
    return busDir().filePath(QStringLiteral("bus.conf"));
}

QString busAddress()
{
    return QStringLiteral("unix:path=") + PrivateSystemBus::socket();
}

} // namespace

void TiedProcess::setupChildProcess()
{
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
}

ChildProcess::~ChildProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(-1);
    }
}

QByteArray ChildProcess::start(const QString& program, const QStringList& arguments)
{
    m_process.start(program, arguments);
    const QDeadlineTimer deadline(10000);
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            // Its complaints matter only when it fails (a daemon started as root also
            // reports that it may not raise its file limit).
            qWarning().noquote() << program << "did not start:" << m_process.errorString()
                                 << m_process.readAllStandardError();
            return {};
        }
    }
    return m_process.readLine().trimmed();
}

PrivateSystemBus::PrivateSystemBus()
{
    static const bool prepared = [] {
        const QString config
            = QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <listen>unix:path=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
)");
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", busAddress().toUtf8());
        return TestFiles::write(busConfig(), config.arg(socket().toHtmlEscaped()).toUtf8());
    }();
    Q_UNUSED(prepared)
}

PrivateSystemBus::~PrivateSystemBus()
{
    m_logind.reset();
    m_bus.reset();
}

QString PrivateSystemBus::socket()
{
    return busDir().filePath(QStringLiteral("system_bus_socket"));
}

bool PrivateSystemBus::start()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        qWarning("dbus-daemon is missing (scripts/install-dependencies installs it)");
        return false;
    }
    m_bus = std::make_unique<ChildProcess>();
    // The daemon prints its address once it listens.
    const QByteArray address = m_bus->start(daemon,
        { QStringLiteral("--config-file=") + busConfig(), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
            QStringLiteral("--print-address") });
    if (!address.startsWith(busAddress().toUtf8())) {
        qWarning().noquote() << "the private bus listens elsewhere:" << address;
        return false;
    }
    return true;
}

bool PrivateSystemBus::startLogind(const QString& fakeLogind, const QStringList& replies)
{
    const QStringList methods { QStringLiteral("CanSuspend"), QStringLiteral("CanHybridSleep"),
        QStringLiteral("CanHibernate") };
    QStringList arguments { busAddress(), QStringLiteral("org.freedesktop.login1") };
    for (int i = 0; i < replies.size() && i < methods.size(); ++i) {
        if (!replies.at(i).isNull())
            arguments << methods.at(i) + QLatin1Char('=') + replies.at(i);
    }
    m_logind = std::make_unique<ChildProcess>();
    // It prints "ready" once it owns the name, so later calls never race its start.
    return m_logind->start(fakeLogind, arguments) == "ready";
}
