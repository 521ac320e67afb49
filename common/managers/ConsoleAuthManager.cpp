// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ConsoleAuthManager.h"

const QString ConsoleAuthManager::ID = QStringLiteral("consoleAuth");

ConsoleAuthManager::ConsoleAuthManager(bool hasConsole, QObject* parent)
    : QObject(parent)
    , Manager(ID)
    , m_hasConsole(hasConsole)
{
}

ConsoleAuthManager::~ConsoleAuthManager() = default;

bool ConsoleAuthManager::hasConsole() const
{
    return m_hasConsole;
}

void ConsoleAuthManager::performConsoleLogin()
{
    Q_EMIT consoleLoginRequest();
}
