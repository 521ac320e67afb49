// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ShutdownManager.h"

const QString ShutdownManager::ID = QStringLiteral("shutdown");

ShutdownManager::ShutdownManager(bool allowShutdownNone, QObject* parent)
    : QObject(parent)
    , Manager(ID)
    , m_allowShutdownNone(allowShutdownNone)
{
}

ShutdownManager::~ShutdownManager() = default;

bool ShutdownManager::allowShutdownNone() const
{
    return m_allowShutdownNone;
}

void ShutdownManager::doShutdown(ShutdownAction action)
{
    Q_EMIT shutdownRequest(action);
}
