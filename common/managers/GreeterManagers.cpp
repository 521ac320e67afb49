// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "GreeterManagers.h"

#include "Manager.h"

GreeterManagers::GreeterManagers(const QSet<Manager*>& managers)
{
    for (Manager* manager : managers) {
        const QString id = manager->id();
        if (m_managers.contains(id))
            delete manager;
        else
            m_managers.insert(id, manager);
    }
}

GreeterManagers::~GreeterManagers()
{
    qDeleteAll(m_managers);
}

Manager* GreeterManagers::get(const QString& id) const
{
    return m_managers.value(id, nullptr);
}
