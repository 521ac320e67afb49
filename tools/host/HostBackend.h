// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "GreeterManagers.h"

#include <QObject>
#include <QString>

/**
 * What answers the managers' requests for a host: PAM conversations, sessions, power and
 * display requests. A backend connects to the managers of the registry it is made for and
 * answers through their signals; after stop() it answers nothing more.
 */
class HostBackend : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~HostBackend() override = default;

    /// From now on requests are ignored: the screen is going away.
    virtual void stop() = 0;

    /// The manager of type @p T in @p managers, or null.
    template<typename T>
    static T* managerOf(GreeterManagers* managers)
    {
        return dynamic_cast<T*>(managers->get(T::ID));
    }

Q_SIGNALS:
    /// A login went through and @p session runs (or would run) for @p user.
    void sessionStarted(const QString& user, const QString& session);
};
