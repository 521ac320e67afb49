// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QString>

/**
 * What every greeter manager has in common: the identifier under which it stands in the
 * registry. Concrete managers derive from QObject first and from Manager second.
 */
class VESTIBULE_COMMON_EXPORT Manager
{
public:
    explicit Manager(const QString& id);
    virtual ~Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    QString id() const;

private:
    const QString m_id;
};
