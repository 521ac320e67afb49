// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Manager.h"

Manager::Manager(const QString& id)
    : m_id(id)
{
}

Manager::~Manager() = default;

QString Manager::id() const
{
    return m_id;
}
