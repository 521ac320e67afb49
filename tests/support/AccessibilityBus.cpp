// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "AccessibilityBus.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

namespace
{

const QString launcherProgram = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
const QString python = QStringLiteral("/usr/bin/python3");

} // namespace

AccessibilityBus::AccessibilityBus()
{
    // The launcher wants its runtime directory private, as a login session's is.
    QFile::setPermissions(m_runtimeDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

AccessibilityBus::~AccessibilityBus()
{
    // The launcher ends the accessibility bus, which ends the registry; the session bus last.
    if (m_launcher && m_launcher->state() != QProcess::NotRunning) {
        m_launcher->terminate();
        if (!m_launcher->waitForFinished(3000)) {
            m_launcher->kill();
            m_launcher->waitForFinished(-1);
        }
    }
    m_sessionBus.reset();
}

QString AccessibilityBus::missingTools()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("dbus-send")).isEmpty())
        return QStringLiteral("dbus-daemon and dbus-send");
    if (!QFile::exists(launcherProgram))
        return QStringLiteral("at-spi2-core");
    if (QProcess::execute(python, { QStringLiteral("-c"), QStringLiteral("import pyatspi") }) != 0)
        return QStringLiteral("python3-pyatspi");
    return QString();
}

bool AccessibilityBus::startSessionBus()
{
    if (!m_runtimeDir.isValid()) {
        m_error = QStringLiteral("no temporary directory for the runtime directory");
        return false;
    }
    m_sessionBus = std::make_unique<ChildProcess>();
    m_sessionAddress = QString::fromUtf8(m_sessionBus->start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
            QStringLiteral("--print-address") }));
    if (!m_sessionAddress.startsWith(QLatin1String("unix:"))) {
        m_error = QStringLiteral("the session bus did not start");
        return false;
    }
    return true;
}

QProcessEnvironment AccessibilityBus::applicationEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionAddress);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    return environment;
}

QProcessEnvironment AccessibilityBus::probeEnvironment() const
{
    QProcessEnvironment environment = applicationEnvironment();
    environment.insert(QStringLiteral("AT_SPI_BUS_ADDRESS"), m_accessibilityAddress);
    return environment;
}

QString AccessibilityBus::errorString() const
{
    return m_error;
}

bool AccessibilityBus::startRegistry()
{
    m_launcher = std::make_unique<TiedProcess>();
    m_launcher->setProcessEnvironment(applicationEnvironment());
    m_launcher->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_launcher->setStandardOutputFile(QProcess::nullDevice());
    m_launcher->start(launcherProgram, { QStringLiteral("--launch-immediately") });
    if (!m_launcher->waitForStarted(5000)) {
        m_error = QStringLiteral("%1 did not start: %2").arg(launcherProgram, m_launcher->errorString());
        return false;
    }
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        m_accessibilityAddress = askAccessibilityBusAddress();
        if (!m_accessibilityAddress.isEmpty())
            return true;
        QThread::msleep(100);
    }
    m_error = QStringLiteral("the accessibility bus never gave its address");
    return false;
}

QString AccessibilityBus::askAccessibilityBusAddress() const
{
    QProcess send;
    send.setProcessEnvironment(applicationEnvironment());
    send.start(QStringLiteral("dbus-send"),
        { QStringLiteral("--session"), QStringLiteral("--print-reply=literal"), QStringLiteral("--dest=org.a11y.Bus"),
            QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus.GetAddress") });
    if (!send.waitForFinished(5000) || send.exitCode() != 0)
        return QString();
    return QString::fromUtf8(send.readAllStandardOutput()).trimmed();
}
