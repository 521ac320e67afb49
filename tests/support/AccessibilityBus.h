// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "PrivateSystemBus.h"

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <memory>

/**
 * The desktop accessibility stack of a test's own: a private session bus, Debian's
 * at-spi2-core bus launcher on it and the registry that the accessibility bus starts,
 * so that a Qt program started with applicationEnvironment() can be read the way a
 * screen reader reads it (tests/accessibility/atspi_probe.py, with probeEnvironment()).
 *
 * The order is what makes it work, and the caller keeps it:
 *  1. startSessionBus();
 *  2. start the program with applicationEnvironment() and wait until its window shows;
 *  3. startRegistry().
 * Qt 5's bridge asks the session bus at its start whether org.a11y.Bus is there. If it
 * is, and accessibility is on, the bridge sets itself up at once on a connection that is
 * still waiting for the accessibility bus's address: its registration with the registry
 * fails ("Error in contacting registry: ... Disconnected") and is never tried again, so the
 * program stays invisible. When the launcher appears after the bridge, the bridge first
 * connects and only then registers. This does not depend on being root: an ordinary user
 * meets the same race, only less often.
 *
 * Every launcher puts its socket at $XDG_RUNTIME_DIR/at-spi/bus_<display> (~/.cache when
 * unset), so each stack gets a runtime directory of its own: two on one display would
 * otherwise take each other's socket. The probe is pointed at the bus by
 * AT_SPI_BUS_ADDRESS, which libatspi reads before the X root window or any session bus.
 */
class AccessibilityBus
{
public:
    AccessibilityBus();
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    /// What is missing on this machine for the stack, or an empty string.
    static QString missingTools();

    bool startSessionBus();
    /// The launcher and the accessibility bus; true once the bus answers with its address.
    bool startRegistry();

    /// For the program under test: the private session bus and runtime directory, accessibility on.
    QProcessEnvironment applicationEnvironment() const;
    /// For the probe: the accessibility bus itself.
    QProcessEnvironment probeEnvironment() const;
    QString errorString() const;

private:
    QString askAccessibilityBusAddress() const;

    QTemporaryDir m_runtimeDir;
    std::unique_ptr<ChildProcess> m_sessionBus;
    std::unique_ptr<TiedProcess> m_launcher;
    QString m_sessionAddress;
    QString m_accessibilityAddress;
    QString m_error;
};
