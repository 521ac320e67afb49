// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "DomainManager.h"

#include "SystemPaths.h"

#include <QDir>
#include <QTimer>

namespace
{

/// The script's output as text: local 8-bit encoding, cut at the first NUL byte.
QString scriptOutput(QProcess& process)
{
    QByteArray output = process.readAllStandardOutput();
    const int nul = output.indexOf('\0');
    if (nul >= 0)
        output.truncate(nul);
    return QString::fromLocal8Bit(output);
}

} // namespace

DomainManager::DomainManager(const DomainSettings& settings, QObject* parent)
    : QObject(parent)
    , m_configuredDomains(settings.domains)
    , m_separator(settings.separator)
    , m_isPrefixDomain(settings.isPrefixDomain)
    , m_localComputerText(tr("Local computer"))
    , m_waitingText(tr("Waiting for domain response..."))
    , m_rerunTimer(new QTimer(this))
    , m_listingTimer(new QTimer(this))
{
    m_scripts = QDir(SystemPaths::domainScriptsDir()).entryList(QDir::Files | QDir::Executable, QDir::NoSort);
    if (!m_scripts.isEmpty()) {
        m_domainsList.append(m_localComputerText);
        m_inDomain = true;
    }
    if (!m_configuredDomains.isEmpty()) {
        if (m_domainsList.isEmpty())
            m_domainsList.append(m_localComputerText);
        m_domainsList.append(m_configuredDomains);
        m_inDomain = true;
    }

    // A listing that never ends would hold up every later one: past the limit the script
    // and all it started are ended, and the listing counts as failed.
    m_listingTimer->setObjectName(QStringLiteral("domainScriptListingTimer"));
    m_listingTimer->setSingleShot(true);
    m_listingTimer->setInterval(listingTimeoutMs);
    connect(m_listingTimer, &QTimer::timeout, this, [this] { m_process.killGroup(); });

    m_rerunTimer->setObjectName(QStringLiteral("domainScriptRerunTimer"));
    m_rerunTimer->setSingleShot(true);
    m_rerunTimer->setTimerType(Qt::CoarseTimer);
    m_rerunTimer->setInterval(rerunIntervalMs);
    connect(m_rerunTimer, &QTimer::timeout, this, &DomainManager::startGetDomainsScript);

    if (!m_scripts.isEmpty()) {
        m_waitingShown = true;
        connect(&m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &DomainManager::updateDomainsList);
        // A script that cannot be started sends no finished notification; without this the
        // waiting entry would stay for ever and the script would never be tried again.
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            m_listingTimer->stop();
            dropScriptDomains();
            scheduleRerun();
        });
        startGetDomainsScript();
    }

    // The theme connects after the constructor returns; the current list (normally the one
    // built above) is sent once control is back in the event loop, also when it is empty.
    QTimer::singleShot(0, this, [this] { Q_EMIT domainsListChanged(offeredList()); });
}

DomainManager::~DomainManager()
{
    // Ending a running listing reports its end; this object must not hear it half-destroyed.
    m_process.disconnect(this);
    m_process.killGroup();
}

bool DomainManager::inDomain() const
{
    return m_inDomain;
}
QString DomainManager::separator() const
{
    return m_separator;
}
QStringList DomainManager::domains() const
{
    return m_scriptDomains;
}

void DomainManager::handleLoginRequestData(const AuthData& data, const QString& domain)
{
    if (domain == m_localComputerText || domain == m_waitingText || domain.isEmpty()) {
        Q_EMIT loginRequestDataHandled(data);
        return;
    }
    if (m_domainsList.contains(domain)) {
        const QString login = m_isPrefixDomain ? domain + m_separator + data.login : data.login + m_separator + domain;
        Q_EMIT loginRequestDataHandled(AuthData { login, data.password });
        return;
    }
    if (m_scripts.isEmpty()) {
        // Nothing could convert the name: passing it on unjoined would log in somebody else.
        Q_EMIT errorOccurred();
        return;
    }
    convertThroughScript(data, domain);
}

void DomainManager::convertThroughScript(const AuthData& data, const QString& domain)
{
    GroupedProcess process;
    process.start(scriptPath(), { QStringLiteral("-l"), data.login, domain }, QIODevice::ReadWrite);
    // Nothing is ever written to the script: one that reads its input ends at once.
    process.closeWriteChannel();
    // A script that hangs, or that crashes after printing part of a name, has given no
    // answer to trust; whatever it left running is ended with it.
    if (!process.waitForFinished(conversionTimeoutMs) || process.exitStatus() == QProcess::CrashExit) {
        process.killGroup();
        Q_EMIT errorOccurred();
        return;
    }
    const QString login = scriptOutput(process).simplified();
    if (login.isEmpty()) {
        Q_EMIT errorOccurred();
        return;
    }
    Q_EMIT loginRequestDataHandled(AuthData { login, data.password });
}

void DomainManager::updateDomainsList(int exitCode, QProcess::ExitStatus exitStatus)
{
    Q_UNUSED(exitCode)
    m_listingTimer->stop();
    if (exitStatus == QProcess::CrashExit) {
        dropScriptDomains();
    } else {
        m_scriptDomains.clear();
        const QStringList lines = scriptOutput(m_process).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            if (!line.contains(QLatin1Char(' ')))
                m_scriptDomains.append(line);
        }
        m_waitingShown = false;
        Q_EMIT domainsListChanged(offeredList());
    }
    scheduleRerun();
}

void DomainManager::startGetDomainsScript()
{
    if (m_scripts.isEmpty() || m_process.state() != QProcess::NotRunning)
        return;
    m_process.start(scriptPath(), QStringList(), QIODevice::ReadWrite);
    m_process.closeWriteChannel();
    m_listingTimer->start();
}

QString DomainManager::scriptPath() const
{
    return m_scripts.isEmpty() ? QString() : SystemPaths::domainScriptsDir() + m_scripts.first();
}

QStringList DomainManager::offeredList() const
{
    if (m_waitingShown)
        return m_domainsList + QStringList { m_waitingText };
    return m_domainsList + m_scriptDomains;
}

void DomainManager::dropScriptDomains()
{
    if (m_scriptDomains.isEmpty() && !m_waitingShown)
        return;
    m_scriptDomains.clear();
    m_waitingShown = false;
    Q_EMIT domainsListChanged(offeredList());
}

void DomainManager::scheduleRerun()
{
    m_rerunTimer->start();
}
