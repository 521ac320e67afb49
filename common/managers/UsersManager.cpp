// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "UsersManager.h"

#include "TokenWatcher.h"
#include "UserInfo.h"

#include <QSet>

#include <unistd.h>

const QString UsersManager::ID = QStringLiteral("users");

namespace
{

/**
 * The person's name from the comment field of an account: its first comma-separated part,
 * as chfn writes "Full Name,Room,Work phone,Home phone,Other". Empty when there is none.
 */
QString fullNameOf(const PasswdLine& account)
{
    return account.gecos.section(QLatin1Char(','), 0, 0).trimmed();
}

} // namespace

UsersManager::UsersManager(const QList<PasswdLine>& passwdLines, const QMap<QString, QIcon>& faces, bool tokenUsersOnly,
    bool userListEnabled, QString defaultUser, UsersManager::PreselUser preselUser, bool userCompletion,
    UsersManager::FirstScreen firstScreen, bool showUserList, QObject* parent)
    : QObject(parent)
    , Manager(ID)
    , m_tokenUsersOnly(tokenUsersOnly)
    , m_userListEnabled(userListEnabled)
    , m_showUserList(showUserList)
    , m_defaultUser(defaultUser)
    , m_preselUser(preselUser)
    , m_userCompletion(userCompletion)
    , m_firstScreen(firstScreen)
{
    const QIcon defaultFace = faces.value(QString());
    const QString hostname = getHostname();

    TokenWatcher* watcher = TokenWatcher::instance();
    connect(watcher, &TokenWatcher::tokenUsersChanged, this, &UsersManager::tokenUsersChanged);
    m_tokenUsersList = watcher->start();
    const QSet<QString> tokenNames(m_tokenUsersList.cbegin(), m_tokenUsersList.cend());

    m_allUsers.reserve(passwdLines.size());
    for (const PasswdLine& line : passwdLines) {
        UserData user;
        user.username = line.name;
        user.fullName = fullNameOf(line);
        user.hostname = hostname;
        const auto face = faces.constFind(line.name);
        user.icon = face != faces.cend() ? face.value() : defaultFace;
        user.hasToken = tokenNames.contains(line.name);
        if (user.hasToken && m_tokenUsersOnly)
            m_tokenOnlyUsers.append(user);
        m_allUsers.append(user);
    }
}

UsersManager::~UsersManager() = default;

UsersData UsersManager::users() const
{
    if (!m_userListEnabled)
        return UsersData();
    return m_tokenUsersOnly ? m_tokenOnlyUsers : m_allUsers;
}

UsersData UsersManager::tokenUsers() const
{
    UsersData result;
    for (const UserData& user : m_allUsers) {
        if (user.hasToken)
            result.append(user);
    }
    return result;
}

QString UsersManager::defaultUser() const
{
    return m_defaultUser;
}
UsersManager::PreselUser UsersManager::preselUser() const
{
    return m_preselUser;
}
bool UsersManager::userCompletion() const
{
    return m_userCompletion;
}
bool UsersManager::tokenUsersOnly() const
{
    return m_tokenUsersOnly;
}
bool UsersManager::userListEnabled() const
{
    return m_userListEnabled;
}
UsersManager::FirstScreen UsersManager::firstScreen() const
{
    return m_firstScreen;
}
void UsersManager::setInDomain(bool inDomain)
{
    m_inDomain = inDomain;
}

QString UsersManager::getHostname()
{
    char buffer[256] = {};
    if (gethostname(buffer, sizeof(buffer) - 1) != 0)
        return QStringLiteral("localhost");
    buffer[sizeof(buffer) - 1] = '\0';
    return QString::fromLocal8Bit(buffer);
}

UserData UsersManager::userInSystem(const QString& name) const
{
    const PasswdLine account = UserInfo::getUser(name);
    if (!account.isValid())
        return UserData();
    UserData user;
    user.username = account.name;
    user.fullName = fullNameOf(account);
    user.hostname = getHostname();
    return user;
}

UserData UsersManager::tokenUser(const QString& name) const
{
    return m_inDomain ? tokenUserSystem(name) : tokenUserInternalList(name);
}

UserData UsersManager::tokenUserSystem(const QString& name) const
{
    if (!m_tokenUsersList.contains(name))
        return UserData();
    UserData user = userInSystem(name);
    if (user)
        user.hasToken = true;
    return user;
}

UserData UsersManager::tokenUserInternalList(const QString& name) const
{
    for (const UserData& user : m_allUsers) {
        if (user.hasToken && user.username == name)
            return user;
    }
    return UserData();
}

UserData UsersManager::singleTokenUser() const
{
    return m_inDomain ? singleTokenUserSystemFromList(m_tokenUsersList) : singleTokenUserFromInternalList(m_allUsers);
}

UserData UsersManager::singleTokenUserSystemFromList(const QStringList& names) const
{
    UserData result;
    bool found = false;
    for (const QString& name : names) {
        UserData user = userInSystem(name);
        if (!user)
            continue;
        if (found) {
            result.clear();
            break;
        }
        user.hasToken = true;
        result = user;
        found = true;
    }
    return result;
}

UserData UsersManager::singleTokenUserFromInternalList(const QList<UserData>& users) const
{
    UserData result;
    bool found = false;
    for (const UserData& user : users) {
        if (!user.hasToken)
            continue;
        if (found) {
            result.clear();
            break;
        }
        result = user;
        found = true;
    }
    return result;
}

void UsersManager::tokenUsersChanged(const QStringList& tokenUsersList)
{
    m_tokenUsersList = tokenUsersList;
    const QSet<QString> tokenNames(tokenUsersList.cbegin(), tokenUsersList.cend());
    QList<UserData> withToken;
    for (UserData& user : m_allUsers) {
        user.hasToken = tokenNames.contains(user.username);
        if (user.hasToken)
            withToken.append(user);
    }

    if (m_tokenUsersOnly) {
        m_tokenOnlyUsers = withToken;
        Q_EMIT usersChanged(m_tokenOnlyUsers);
    } else if (m_showUserList) {
        Q_EMIT usersChanged(m_allUsers);
    } else {
        Q_EMIT selectedSingleTokenUser(singleTokenUser());
    }
}
