// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QMap>
#include <QSet>
#include <QString>

class Manager;

/**
 * The registry of greeter managers that the host hands to the theme. It owns every
 * manager in it and must outlive the theme widget, which keeps plain pointers.
 */
class VESTIBULE_COMMON_EXPORT GreeterManagers
{
public:
    /**
     * Takes ownership of every manager in @p managers (none may be null). Of several with
     * the same identifier the first met in the set's order stays; the others are deleted here.
     */
    explicit GreeterManagers(const QSet<Manager*>& managers);
    virtual ~GreeterManagers();
    GreeterManagers(const GreeterManagers&) = delete;
    GreeterManagers& operator=(const GreeterManagers&) = delete;

    /// The manager registered under @p id (compared exactly), or null.
    Manager* get(const QString& id) const;

private:
    QMap<QString, Manager*> m_managers;
};
