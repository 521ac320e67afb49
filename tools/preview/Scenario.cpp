// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Scenario.h"

#include <QFile>

#include <yaml-cpp/yaml.h>

#include <functional>
#include <map>

namespace
{

/// Reads one scenario document, turning every mistake into a ScenarioError with its place.
class ScenarioReader
{
public:
    explicit ScenarioReader(const QString& fileName)
        : m_fileName(fileName)
    {
    }

    Scenario read(const YAML::Node& root);

private:
    using Handler = std::function<void(const YAML::Node&)>;

    [[noreturn]] void fail(const YAML::Node& node, const QString& reason) const
    {
        const YAML::Mark mark = node.Mark();
        throw ScenarioError(m_fileName, mark.line + 1, mark.column + 1, reason);
    }

    /// Runs the handler of each key of the map @p node; an unknown key is an error.
    void readMap(const YAML::Node& node, const char* what, const std::map<std::string, Handler>& handlers) const
    {
        if (!node.IsMap())
            fail(node, QStringLiteral("%1 must be a map of keys").arg(QLatin1String(what)));
        for (const auto& entry : node) {
            const std::string key = entry.first.as<std::string>();
            const auto handler = handlers.find(key);
            if (handler == handlers.end())
                fail(entry.first,
                    QStringLiteral("unknown key '%1' in %2").arg(QString::fromStdString(key), QLatin1String(what)));
            handler->second(entry.second);
        }
    }

    template<typename T>
    T value(const YAML::Node& node, const char* kind) const
    {
        if (!node.IsScalar())
            fail(node, QStringLiteral("expected %1").arg(QLatin1String(kind)));
        try {
            return node.as<T>();
        } catch (const YAML::Exception&) {
            fail(node,
                QStringLiteral("expected %1, not '%2'")
                    .arg(QLatin1String(kind), QString::fromStdString(node.Scalar())));
        }
    }

    QString text(const YAML::Node& node) const { return QString::fromStdString(value<std::string>(node, "a text")); }
    bool flag(const YAML::Node& node) const { return value<bool>(node, "true or false"); }
    int number(const YAML::Node& node) const { return value<int>(node, "a whole number"); }

    QStringList texts(const YAML::Node& node) const
    {
        if (!node.IsSequence())
            fail(node, QStringLiteral("expected a list"));
        QStringList result;
        for (const YAML::Node& item : node)
            result << text(item);
        return result;
    }

    template<typename Item>
    QList<Item> list(const YAML::Node& node, const std::function<Item(const YAML::Node&)>& readItem) const
    {
        if (!node.IsSequence())
            fail(node, QStringLiteral("expected a list"));
        QList<Item> result;
        for (const YAML::Node& item : node)
            result << readItem(item);
        return result;
    }

    template<typename Enum>
    Enum choice(const YAML::Node& node, const std::map<QString, Enum>& choices) const
    {
        const QString word = text(node);
        const auto found = choices.find(word);
        if (found == choices.end()) {
            QStringList names;
            for (const auto& entry : choices)
                names << entry.first;
            fail(node, QStringLiteral("'%1' is not one of: %2").arg(word, names.join(QStringLiteral(", "))));
        }
        return found->second;
    }

    ScenarioAccount account(const YAML::Node& node) const;
    ConversationStep step(const YAML::Node& node) const;
    SessionDescription session(const YAML::Node& node) const;
    ScenarioDisplay display(const YAML::Node& node) const;

    QString m_fileName;
};

ScenarioAccount ScenarioReader::account(const YAML::Node& node) const
{
    ScenarioAccount account;
    readMap(node, "an account",
        {
            { "login", [&](const YAML::Node& n) { account.login = text(n); } },
            { "name", [&](const YAML::Node& n) { account.realName = text(n); } },
            { "password", [&](const YAML::Node& n) { account.password = text(n); } },
            { "face", [&](const YAML::Node& n) { account.face = text(n); } },
            { "last_session", [&](const YAML::Node& n) { account.lastSession = text(n); } },
            { "token", [&](const YAML::Node& n) { account.token = flag(n); } },
            { "no_password", [&](const YAML::Node& n) { account.noPassword = flag(n); } },
            { "message", [&](const YAML::Node& n) { account.message = text(n); } },
            { "locked", [&](const YAML::Node& n) { account.lockedMessage = text(n); } },
            { "expired",
                [&](const YAML::Node& n) {
                    if (n.IsScalar()) {
                        account.expired = flag(n);
                        return;
                    }
                    account.expired = true;
                    readMap(
                        n, "expired", { { "ask_old", [&](const YAML::Node& v) { account.expiredAskOld = flag(v); } } });
                } },
            { "extra_prompt",
                [&](const YAML::Node& n) {
                    readMap(n, "extra_prompt",
                        { { "text", [&](const YAML::Node& v) { account.extraPrompt = text(v); } },
                            { "echo", [&](const YAML::Node& v) { account.extraPromptEcho = flag(v); } },
                            { "answer", [&](const YAML::Node& v) { account.extraAnswer = text(v); } } });
                } },
            { "conversation",
                [&](const YAML::Node& n) {
                    account.conversation
                        = list<ConversationStep>(n, [this](const YAML::Node& item) { return step(item); });
                } },
        });
    if (account.login.isEmpty())
        fail(node, QStringLiteral("an account needs a login"));
    if (account.expired && !account.extraPrompt.isEmpty())
        fail(node, QStringLiteral("an account cannot be both expired and asked an extra prompt"));
    return account;
}

ConversationStep ScenarioReader::step(const YAML::Node& node) const
{
    ConversationStep step;
    int kinds = 0;
    readMap(node, "a conversation step",
        {
            { "prompt",
                [&](const YAML::Node& n) {
                    step.kind = ConversationStep::Kind::Prompt;
                    step.text = text(n);
                    ++kinds;
                } },
            { "message",
                [&](const YAML::Node& n) {
                    step.kind = ConversationStep::Kind::Message;
                    step.text = text(n);
                    ++kinds;
                } },
            { "error",
                [&](const YAML::Node& n) {
                    step.kind = ConversationStep::Kind::Error;
                    step.text = text(n);
                    ++kinds;
                } },
            { "echo", [&](const YAML::Node& n) { step.echo = flag(n); } },
            { "expect", [&](const YAML::Node& n) { step.expect = text(n); } },
        });
    if (kinds != 1)
        fail(node, QStringLiteral("a conversation step is exactly one of prompt, message or error"));
    return step;
}

SessionDescription ScenarioReader::session(const YAML::Node& node) const
{
    SessionDescription session;
    readMap(node, "a session",
        {
            { "type", [&](const YAML::Node& n) { session.type = text(n); } },
            { "name", [&](const YAML::Node& n) { session.names.insert(QString(), text(n)); } },
            { "names",
                [&](const YAML::Node& n) {
                    if (!n.IsMap())
                        fail(n, QStringLiteral("names must map languages to names"));
                    for (const auto& entry : n)
                        session.names.insert(text(entry.first), text(entry.second));
                } },
        });
    if (session.type.isEmpty())
        fail(node, QStringLiteral("a session needs a type"));
    if (!session.names.contains(QString()))
        session.names.insert(QString(), session.type);
    session.exec = QStringLiteral("/usr/bin/start-") + session.type;
    return session;
}

ScenarioDisplay ScenarioReader::display(const YAML::Node& node) const
{
    ScenarioDisplay display;
    readMap(node, "a display",
        {
            { "caption", [&](const YAML::Node& n) { display.caption = text(n); } },
            { "detail", [&](const YAML::Node& n) { display.detail = text(n); } },
            { "vt", [&](const YAML::Node& n) { display.vt = number(n); } },
            { "current", [&](const YAML::Node& n) { display.current = flag(n); } },
        });
    return display;
}

Scenario ScenarioReader::read(const YAML::Node& root)
{
    Scenario scenario;
    if (root.IsNull())
        return scenario;
    readMap(root, "the scenario",
        {
            { "host", [&](const YAML::Node& n) { scenario.hostname = text(n); } },
            { "greeting", [&](const YAML::Node& n) { scenario.greeting = text(n); } },
            { "accounts",
                [&](const YAML::Node& n) {
                    scenario.accounts
                        = list<ScenarioAccount>(n, [this](const YAML::Node& item) { return account(item); });
                } },
            { "sessions",
                [&](const YAML::Node& n) {
                    scenario.sessions
                        = list<SessionDescription>(n, [this](const YAML::Node& item) { return session(item); });
                } },
            { "default_session", [&](const YAML::Node& n) { scenario.defaultSession = text(n); } },
            { "keyboard_layouts", [&](const YAML::Node& n) { scenario.layouts = texts(n); } },
            { "domains",
                [&](const YAML::Node& n) {
                    readMap(n, "domains",
                        { { "configured", [&](const YAML::Node& v) { scenario.domains = texts(v); } },
                            { "script", [&](const YAML::Node& v) { scenario.scriptDomains = texts(v); } },
                            { "separator", [&](const YAML::Node& v) { scenario.separator = text(v); } },
                            { "prefix", [&](const YAML::Node& v) { scenario.prefixDomain = flag(v); } } });
                } },
            { "auto_login",
                [&](const YAML::Node& n) {
                    readMap(n, "auto_login",
                        { { "user", [&](const YAML::Node& v) { scenario.autoLoginUser = text(v); } },
                            { "delay", [&](const YAML::Node& v) { scenario.autoLoginDelay = number(v); } } });
                } },
            { "shutdown_allowed", [&](const YAML::Node& n) { scenario.shutdownAllowed = flag(n); } },
            { "console", [&](const YAML::Node& n) { scenario.console = flag(n); } },
            { "connection",
                [&](const YAML::Node& n) {
                    ConnectionManager::ConnectionData& data = scenario.connection;
                    readMap(n, "connection",
                        { { "exit", [&](const YAML::Node& v) { data.exitAllowed = flag(v); } },
                            { "abort_session", [&](const YAML::Node& v) { data.abortSession = flag(v); } },
                            { "switch_display", [&](const YAML::Node& v) { data.switchDisplayAvailable = flag(v); } },
                            { "chooser", [&](const YAML::Node& v) { data.chooserDialogAvailable = flag(v); } } });
                } },
            { "displays",
                [&](const YAML::Node& n) {
                    scenario.displays
                        = list<ScenarioDisplay>(n, [this](const YAML::Node& item) { return display(item); });
                } },
            { "security_level", [&](const YAML::Node& n) { scenario.securityLevel = number(n); } },
            { "user_list", [&](const YAML::Node& n) { scenario.listUsers = flag(n); } },
            { "token_users_only", [&](const YAML::Node& n) { scenario.tokenUsersOnly = flag(n); } },
            { "user_completion", [&](const YAML::Node& n) { scenario.userCompletion = flag(n); } },
            { "first_screen",
                [&](const YAML::Node& n) {
                    scenario.firstScreen = choice<UsersManager::FirstScreen>(n,
                        { { QStringLiteral("auto"), UsersManager::AutoScreen },
                            { QStringLiteral("user"), UsersManager::UserInfoScreen },
                            { QStringLiteral("username"), UsersManager::EnterUsernameScreen } });
                } },
            { "preselect",
                [&](const YAML::Node& n) {
                    scenario.preselUser = choice<UsersManager::PreselUser>(n,
                        { { QStringLiteral("none"), UsersManager::PreselNone },
                            { QStringLiteral("previous"), UsersManager::PreselPrevious },
                            { QStringLiteral("default"), UsersManager::PreselDefault } });
                } },
            { "default_user", [&](const YAML::Node& n) { scenario.defaultUser = text(n); } },
            { "virtual_keyboard", [&](const YAML::Node& n) { scenario.virtualKeyboard = text(n); } },
        });

    QStringList logins;
    for (const ScenarioAccount& account : qAsConst(scenario.accounts)) {
        if (logins.contains(account.login))
            fail(root["accounts"], QStringLiteral("the login '%1' appears twice").arg(account.login));
        logins << account.login;
    }
    if (!scenario.autoLoginUser.isEmpty() && !logins.contains(scenario.autoLoginUser))
        fail(root["auto_login"], QStringLiteral("the auto-login user '%1' has no account").arg(scenario.autoLoginUser));
    return scenario;
}

} // namespace

ScenarioError::ScenarioError(const QString& file, int line, int column, const QString& reason)
    : std::runtime_error(reason.toStdString())
    , m_text(QStringLiteral("%1:%2:%3: %4").arg(file).arg(line).arg(column).arg(reason))
{
}

QString ScenarioError::text() const
{
    return m_text;
}

Scenario Scenario::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ScenarioError(path, 0, 0, QStringLiteral("cannot be read: %1").arg(file.errorString()));
    return parse(file.readAll(), path);
}

Scenario Scenario::parse(const QByteArray& text, const QString& fileName)
{
    YAML::Node root;
    try {
        root = YAML::Load(text.toStdString());
    } catch (const YAML::Exception& error) {
        throw ScenarioError(fileName, error.mark.line + 1, error.mark.column + 1, QString::fromStdString(error.msg));
    }
    try {
        return ScenarioReader(fileName).read(root);
    } catch (const YAML::Exception& error) {
        throw ScenarioError(fileName, error.mark.line + 1, error.mark.column + 1, QString::fromStdString(error.msg));
    }
}

Scenario Scenario::demo()
{
    QFile file(QStringLiteral(":/preview/demo.yaml"));
    file.open(QIODevice::ReadOnly);
    return parse(file.readAll(), QStringLiteral("built-in demo scenario"));
}

const ScenarioAccount* Scenario::account(const QString& login) const
{
    for (const ScenarioAccount& candidate : accounts) {
        if (candidate.login == login)
            return &candidate;
    }
    return nullptr;
}
