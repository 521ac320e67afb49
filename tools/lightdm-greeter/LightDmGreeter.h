// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "GreeterHost.h"
#include "GreeterOptions.h"

#include <QLightDM/Greeter>
#include <QLightDM/Power>
#include <QLightDM/UsersModel>
#include <QObject>

/**
 * The toolkit as LightDM's greeter: connects to the daemon, learns the machine's users,
 * sessions and the daemon's hints, and shows the theme with the LightDM backend. It never
 * ends on its own errors, since LightDM would only start it again: a theme that cannot be
 * shown gives way to the default theme, then to the built-in form.
 */
class LightDmGreeter : public QObject
{
    Q_OBJECT
public:
    explicit LightDmGreeter(const GreeterOptions& options, QObject* parent = nullptr);
    ~LightDmGreeter() override;

    /// Connects to the daemon and shows the screen.
    void start();

private:
    HostSetup setup();
    static HostConfig hostConfig(const GreeterOptions& options);

    GreeterOptions m_options;
    QLightDM::Greeter m_greeter;
    QLightDM::UsersModel m_users;
    QLightDM::PowerInterface m_power;
    bool m_connected = false;
    GreeterHost m_host;
};
