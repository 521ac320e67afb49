// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "Manager.h"
#include "PasswdLine.h"
#include "UserData.h"
#include "vestibule_common_export.h"

#include <QIcon>
#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>

#include <cstdint>

/**
 * The greeter's model of the people who may log in: the users to show, the preselection
 * settings, and the token users that follow the token-user file. Built once by the host;
 * afterwards only the token flags change.
 */
class VESTIBULE_COMMON_EXPORT UsersManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "users"

    /// Which user the theme preselects when no single token user decides it.
    enum PreselUser : int32_t {
        PreselNone = 0,
        PreselPrevious = 1, ///< the user kept by the previous-user store
        PreselDefault = 2, ///< defaultUser()
    };
    Q_ENUM(PreselUser)

    /// The login page the theme opens first.
    enum FirstScreen : int32_t {
        AutoScreen = 0, ///< the user-name page in a domain, else nothing forced
        UserInfoScreen = 1, ///< nothing forced: the preselected user decides
        EnterUsernameScreen = 2, ///< always the user-name page
    };
    Q_ENUM(FirstScreen)

    /**
     * @p passwdLines in display order; @p faces by login name, "" holding the default face.
     * With @p tokenUsersOnly only users whose token is present are offered; with
     * @p userListEnabled false no list is offered at all; @p showUserList decides what a
     * change of the token file announces.
     */
    UsersManager(const QList<PasswdLine>& passwdLines, const QMap<QString, QIcon>& faces, bool tokenUsersOnly,
        bool userListEnabled, QString defaultUser, UsersManager::PreselUser preselUser, bool userCompletion,
        UsersManager::FirstScreen firstScreen, bool showUserList, QObject* parent = nullptr);
    ~UsersManager() override;

    UsersData users() const;
    UsersData tokenUsers() const;
    QString defaultUser() const;
    PreselUser preselUser() const;
    bool userCompletion() const;
    FirstScreen firstScreen() const;
    /// Whether users() offers only the users whose token is present.
    bool tokenUsersOnly() const;
    /// Whether a user list is offered at all.
    bool userListEnabled() const;
    void setInDomain(bool inDomain);

    /// The local host name, or "localhost" when the system does not tell.
    static QString getHostname();

    UserData userInSystem(const QString& name) const;
    UserData tokenUser(const QString& name) const;
    UserData tokenUserSystem(const QString& name) const;
    UserData tokenUserInternalList(const QString& name) const;
    UserData singleTokenUser() const;
    UserData singleTokenUserSystemFromList(const QStringList& names) const;
    UserData singleTokenUserFromInternalList(const QList<UserData>& users) const;

Q_SIGNALS:
    /// The list to show has changed (after a change of the token file).
    void usersChanged(const UsersData& users);
    /// To the host: which session type did this user use last? Answered by updateLastUserSession.
    void askPamForLastUserSession(const QString& username);
    /// From the host: the session type the user asked about used last.
    void updateLastUserSession(const QString& sessionType);
    /// After a token change without a user list: the one token user, or an empty record.
    void selectedSingleTokenUser(const UserData& user);

public Q_SLOTS:
    void tokenUsersChanged(const QStringList& tokenUsersList);

private:
    const bool m_tokenUsersOnly;
    const bool m_userListEnabled;
    const bool m_showUserList;
    QList<UserData> m_allUsers;
    QList<UserData> m_tokenOnlyUsers;
    const QString m_defaultUser;
    const PreselUser m_preselUser;
    const bool m_userCompletion;
    const FirstScreen m_firstScreen;
    bool m_inDomain = false;
    QStringList m_tokenUsersList;
};
