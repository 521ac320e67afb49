// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "GreeterHost.h"
#include "Scenario.h"

#include <QObject>
#include <QString>

class BaseThemeWidget;
class GreeterManagers;
class SimulatedBackend;

/// How the preview shows the screen: as any host does, with the scenario or the machine's users.
struct PreviewConfig : HostConfig {
    bool systemUsers = false; ///< the machine's accounts and session files instead of the scenario's
    bool stay = false; ///< after a login, show a fresh screen instead of ending
};

/**
 * The greeter host as a display manager would run it, with the scenario's accounts,
 * sessions and settings, and the simulated backend answering every request.
 */
class PreviewHost : public QObject
{
    Q_OBJECT
public:
    PreviewHost(const Scenario& scenario, const PreviewConfig& config, QObject* parent = nullptr);
    ~PreviewHost() override;

    /**
     * Builds the screen, shows it and runs the theme's start (the auto-login countdown).
     * Throws what the library throws when the theme cannot be built.
     */
    void start();

    BaseThemeWidget* widget() const;
    GreeterManagers* managers() const;
    SimulatedBackend* backend() const;

Q_SIGNALS:
    /// The preview has done its job (a login went through) and may end with @p exitCode.
    void finished(int exitCode);

private:
    HostSetup setup() const;
    void onSessionStarted();

    Scenario m_scenario;
    PreviewConfig m_config;
    GreeterHost m_host;
};
