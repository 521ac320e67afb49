// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LocalAuthManager.h"

const QString LocalAuthManager::ID = QStringLiteral("localAuth");

LocalAuthManager::LocalAuthManager(int autoLoginDelay, const QString& autoLoginUser, QObject* parent)
    : QObject(parent)
    , Manager(ID)
    , m_autoLoginDelay(autoLoginDelay)
    , m_autoLoginUser(autoLoginUser)
{
}

LocalAuthManager::~LocalAuthManager() = default;

bool LocalAuthManager::autoLoginEnabled() const
{
    return m_autoLoginDelay != 0;
}
int LocalAuthManager::autoLoginDelay() const
{
    return m_autoLoginDelay;
}
QString LocalAuthManager::autoLoginUser() const
{
    return m_autoLoginUser;
}
QString LocalAuthManager::hostname() const
{
    return m_hostname;
}
void LocalAuthManager::setHostname(const QString& hostname)
{
    m_hostname = hostname;
}
bool LocalAuthManager::focusPassword() const
{
    return m_focusPassword;
}
void LocalAuthManager::setFocusPassword(bool focusPassword)
{
    m_focusPassword = focusPassword;
}

void LocalAuthManager::performLoginRequest(AuthData data)
{
    Q_EMIT loginRequest(data);
}
void LocalAuthManager::performAutoLoginRequest()
{
    Q_EMIT autoLoginRequest();
}
