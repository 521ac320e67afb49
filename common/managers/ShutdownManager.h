// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "Manager.h"
#include "ShutdownAction.h"
#include "vestibule_common_export.h"

#include <QObject>

/// Carries power requests from the theme to the host.
class VESTIBULE_COMMON_EXPORT ShutdownManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "shutdown"

    /// @p allowShutdownNone: the display manager allows no power action from the greeter.
    explicit ShutdownManager(bool allowShutdownNone, QObject* parent = nullptr);
    ~ShutdownManager() override;

    /// When true the themes build no power controls.
    bool allowShutdownNone() const;

public Q_SLOTS:
    /// Emits shutdownRequest(@p action) unchanged; the themes decide what to offer.
    void doShutdown(ShutdownAction action);

Q_SIGNALS:
    void shutdownRequest(ShutdownAction action); ///< to the host

private:
    const bool m_allowShutdownNone;
};
