// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>

/**
 * An Xvfb server of the test's own, for tests that change server-wide state (keyboard
 * layouts, Caps Lock) and must not disturb or be disturbed by other tests. Starts the
 * server, points DISPLAY at it and ends it again on destruction. Create it before the
 * application object.
 */
class PrivateXServer
{
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool isRunning() const { return m_pid > 0 && !m_display.isEmpty(); }
    QByteArray display() const { return m_display; }

private:
    int m_pid = -1;
    QByteArray m_display;
    QByteArray m_previousDisplay;
};
