// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "ConnectionManager.h"
#include "PasswdLine.h"
#include "SessionDescription.h"
#include "UsersManager.h"

#include <QIcon>
#include <QList>
#include <QMap>
#include <QString>

/**
 * What a host knows of the machine before the screen is built, from wherever it learns it
 * (a scenario, the display manager): the accounts and faces, the sessions and every value
 * the managers are constructed with.
 */
struct HostSetup {
    QList<PasswdLine> accounts;
    QMap<QString, QIcon> faces; ///< by login; the empty key holds the face of users without one
    QList<SessionDescription> sessions;
    int autoLoginDelay = 0;
    QString autoLoginUser;
    QString hostname;
    bool tokenUsersOnly = false;
    bool listUsers = true;
    QString defaultUser;
    UsersManager::PreselUser preselUser = UsersManager::PreselPrevious;
    bool userCompletion = true;
    UsersManager::FirstScreen firstScreen = UsersManager::AutoScreen;
    bool shutdownAllowed = true;
    bool console = true;
    ConnectionManager::ConnectionData connection;
    QString virtualKeyboard = QStringLiteral("onboard");
};
