// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "Manager.h"
#include "vestibule_common_export.h"

#include <QObject>

/// Carries the request to leave the graphical greeter for a text-console login.
class VESTIBULE_COMMON_EXPORT ConsoleAuthManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "consoleAuth"

    explicit ConsoleAuthManager(bool hasConsole, QObject* parent = nullptr);
    ~ConsoleAuthManager() override;

    /// Whether a console login can be offered.
    bool hasConsole() const;

public Q_SLOTS:
    /// Emits consoleLoginRequest().
    void performConsoleLogin();

Q_SIGNALS:
    void consoleLoginRequest(); ///< to the host

private:
    const bool m_hasConsole;
};
