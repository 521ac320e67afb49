// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

/// A child that the kernel ends with the test, should the test crash before it can clean up.
class TiedProcess : public QProcess
{
protected:
    void setupChildProcess() override;
};

/// A program the test starts, ended and reaped whenever the test leaves its scope, failed checks included.
class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    /// Starts @p program and returns the first line it prints once ready; empty if it printed none within 10 s.
    QByteArray start(const QString& program, const QStringList& arguments);

private:
    TiedProcess m_process;
};

/**
 * A system bus of the test's own, with a fake logind on it when asked. The first one made
 * points DBUS_SYSTEM_BUS_ADDRESS at its socket for the rest of the process: libdbus reads the
 * address once, so every bus of a test process listens on that same socket, and the
 * machine's own system bus is never asked.
 */
class PrivateSystemBus
{
public:
    PrivateSystemBus();
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus&) = delete;
    PrivateSystemBus& operator=(const PrivateSystemBus&) = delete;

    /// The socket every private bus of this process listens on.
    static QString socket();

    /// Starts the bus daemon; false (with a warning) when it cannot.
    bool start();
    /**
     * Starts @p fakeLogind (tests/platform/fakelogin1) answering CanSuspend, CanHybridSleep
     * and CanHibernate with @p replies in that order; a null reply leaves the method out.
     */
    bool startLogind(const QString& fakeLogind, const QStringList& replies);

private:
    std::unique_ptr<ChildProcess> m_logind;
    std::unique_ptr<ChildProcess> m_bus;
};
