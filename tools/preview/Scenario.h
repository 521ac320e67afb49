// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "ConnectionManager.h"
#include "SessionDescription.h"
#include "UsersManager.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

/// One exchange of a PAM conversation as the generic theme conducts it.
struct ConversationStep {
    enum class Kind { Prompt, Message, Error };
    Kind kind = Kind::Prompt;
    QString text;
    bool echo = false; ///< prompts only: the answer may be shown while typed
    QString expect; ///< prompts only: the answer that lets the conversation go on
};

/// A demo account and how the simulated PAM treats it.
struct ScenarioAccount {
    QString login;
    QString realName;
    QString password;
    QString face; ///< a built-in face ("builtin:NAME") or a picture file
    QString lastSession; ///< the session type of the user's last login
    bool token = false; ///< the user's hardware token is plugged in
    bool noPassword = false; ///< may log in without a password
    bool expired = false; ///< the password must be changed at login
    bool expiredAskOld = false; ///< the change asks for the old password again
    QString extraPrompt; ///< a further question after the password (a one-time code)
    bool extraPromptEcho = true;
    QString extraAnswer;
    QString message; ///< PAM information shown before the login succeeds
    QString lockedMessage; ///< PAM refuses the account with this error
    QList<ConversationStep> conversation; ///< the generic theme's prompts; the password prompt unless set
};

/// A running display session for the switch-session menu.
struct ScenarioDisplay {
    QString caption;
    QString detail;
    int vt = 0;
    bool current = false;
};

/// A scenario file (or the built-in demo) failed to read: the place and the reason.
class ScenarioError : public std::runtime_error
{
public:
    ScenarioError(const QString& file, int line, int column, const QString& reason);
    QString text() const;

private:
    QString m_text;
};

/**
 * Everything the preview host simulates: the accounts and their PAM behaviour, sessions,
 * keyboard layouts, domains, the display manager's settings and the display itself.
 */
struct Scenario {
    QList<ScenarioAccount> accounts;
    QList<SessionDescription> sessions;
    QString defaultSession;
    QStringList layouts;
    QStringList domains; ///< configured in the display manager's file
    QStringList scriptDomains; ///< listed by the domain script
    QString separator = QStringLiteral("@");
    bool prefixDomain = false;
    QString greeting;
    QString autoLoginUser;
    int autoLoginDelay = 0;
    bool shutdownAllowed = true;
    bool console = true;
    ConnectionManager::ConnectionData connection;
    QList<ScenarioDisplay> displays;
    int securityLevel = -1;
    bool listUsers = true;
    bool tokenUsersOnly = false;
    bool userCompletion = true;
    UsersManager::FirstScreen firstScreen = UsersManager::AutoScreen;
    UsersManager::PreselUser preselUser = UsersManager::PreselPrevious;
    QString defaultUser;
    QString virtualKeyboard = QStringLiteral("onboard");
    QString hostname = QStringLiteral("workstation");

    /// Reads a scenario file; throws ScenarioError naming the file, line and column.
    static Scenario load(const QString& path);
    /// Reads a scenario from @p text, reported as @p fileName.
    static Scenario parse(const QByteArray& text, const QString& fileName);
    /// The built-in demo that the bare command shows.
    static Scenario demo();

    const ScenarioAccount* account(const QString& login) const;
};
