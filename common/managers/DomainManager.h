// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AuthData.h"
#include "DomainSettings.h"
#include "GroupedProcess.h"
#include "vestibule_common_export.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

class QTimer;

/**
 * The places an account may live in (the local computer or a domain) and the conversion
 * of a domain login into the login name that PAM expects.
 *
 * Domains come from the configuration and from the first executable domain script in the
 * domain script directory, which is run in the background to list domains (again one
 * minute after every run) and synchronously to convert a user name for a domain it listed.
 * The offered list reaches the theme through domainsListChanged(), the first time on the
 * event-loop turn after construction.
 */
class VESTIBULE_COMMON_EXPORT DomainManager : public QObject
{
    Q_OBJECT
public:
    /// Minimum pause between the end of one background listing and the start of the next.
    static constexpr int rerunIntervalMs = 60000;
    /// The longest a name conversion may take before it counts as failed.
    static constexpr int conversionTimeoutMs = 10000;
    /// The longest a background listing may take; then it is ended and counts as failed.
    static constexpr int listingTimeoutMs = 60000;

    explicit DomainManager(const DomainSettings& settings, QObject* parent = nullptr);
    ~DomainManager() override;

    /// True when a domain script is installed or a domain is configured.
    bool inDomain() const;
    QString separator() const;
    /// The domains the script printed last; neither the configured ones nor the local entry.
    QStringList domains() const;

Q_SIGNALS:
    /// The login request, converted where needed, for LocalAuthManager::performLoginRequest.
    void loginRequestDataHandled(const AuthData& data);
    /// The full list of places to offer.
    void domainsListChanged(const QStringList& domains);
    /// The domain login could not be converted into a login name.
    void errorOccurred();

public Q_SLOTS:
    /**
     * Passes @p data on through loginRequestDataHandled(), joined with @p domain for a
     * configured domain or converted by the domain script for a domain it listed; emits
     * errorOccurred() instead when no login name comes out. A conversion blocks for at
     * most conversionTimeoutMs.
     */
    void handleLoginRequestData(const AuthData& data, const QString& domain);
    /// Takes the finished background listing in and schedules the next one.
    void updateDomainsList(int exitCode, QProcess::ExitStatus exitStatus);
    /// Starts the background listing unless one is running; returns at once.
    void startGetDomainsScript();

private:
    QString scriptPath() const;
    QStringList offeredList() const;
    void dropScriptDomains();
    void scheduleRerun();
    void convertThroughScript(const AuthData& data, const QString& domain);

    const QStringList m_configuredDomains;
    const QString m_separator;
    const bool m_isPrefixDomain;
    const QString m_localComputerText;
    const QString m_waitingText;
    QStringList m_scripts;
    QStringList m_domainsList;
    QStringList m_scriptDomains;
    bool m_inDomain = false;
    bool m_waitingShown = false; ///< the offered list still carries the waiting entry
    GroupedProcess m_process;
    QTimer* m_rerunTimer;
    QTimer* m_listingTimer;
};
