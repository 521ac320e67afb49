// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PreviewRoot.h"

#include "Scenario.h"
#include "SystemPaths.h"
#include "ToolkitPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

QByteArray displayManagerConfig(const Scenario& scenario)
{
    QByteArray config = "[X-*-Greeter]\n";
    if (!scenario.greeting.isEmpty())
        config += "GreetString=" + scenario.greeting.toUtf8() + "\n";
    if (!scenario.domains.isEmpty())
        config += "Domains=" + scenario.domains.join(QLatin1Char(':')).toUtf8() + "\n";
    config += "Separator=" + scenario.separator.toUtf8() + "\n";
    config += QByteArray("IsPrefixDomain=") + (scenario.prefixDomain ? "true" : "false") + "\n";

    QStringList passwordless;
    for (const ScenarioAccount& account : scenario.accounts) {
        if (account.noPassword)
            passwordless << account.login;
    }
    if (!passwordless.isEmpty())
        config
            += "\n[X-:*-Core]\nNoPassEnable=true\nNoPassUsers=" + passwordless.join(QLatin1Char(',')).toUtf8() + "\n";
    return config;
}

QByteArray shellQuoted(const QString& text)
{
    return "'" + text.toUtf8().replace('\'', "'\\''") + "'";
}

/// A domain script that lists the scenario's domains and joins a user name with one of them.
QByteArray domainScript(const Scenario& scenario)
{
    QByteArray script = "#!/bin/sh\n# Written by vestibule-preview for its scenario.\n"
                        "if [ \"$1\" = \"-l\" ]; then\n";
    const QByteArray separator = shellQuoted(scenario.separator);
    script += scenario.prefixDomain ? "    printf '%s%s%s\\n' \"$3\" " + separator + " \"$2\"\n"
                                    : "    printf '%s%s%s\\n' \"$2\" " + separator + " \"$3\"\n";
    script += "    exit 0\nfi\n";
    for (const QString& domain : scenario.scriptDomains)
        script += "echo " + shellQuoted(domain) + "\n";
    return script;
}

} // namespace

PreviewRoot::PreviewRoot(const Scenario& scenario)
    : m_dir(std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vestibule-preview-XXXXXX")))
{
    if (!m_dir->isValid()) {
        m_error = m_dir->errorString();
        return;
    }
    m_path = m_dir->path();
    m_previousRoot = SystemPaths::root();
    SystemPaths::setRoot(m_path);

    QStringList tokens;
    for (const ScenarioAccount& account : scenario.accounts) {
        if (account.token)
            tokens << account.login;
    }
    write(SystemPaths::tokenFile(), tokens.join(QLatin1Char('\n')).toUtf8() + "\n");
    write(SystemPaths::nimbDmConfigFile(), displayManagerConfig(scenario));
    if (!scenario.scriptDomains.isEmpty())
        write(SystemPaths::domainScriptsDir() + QStringLiteral("preview-domains"), domainScript(scenario), true);
    if (scenario.securityLevel >= 0)
        write(SystemPaths::securityLevelFile(), QByteArray::number(scenario.securityLevel) + "\n");
    QDir().mkpath(filePath(QStringLiteral("/var/lib/nimb-dm")));
    // The installed pictures, one directory at a time: a lookup that finds a directory
    // missing creates it, and that must happen here, not on the machine.
    for (const QString& part : { QStringLiteral("/nimb-dm"), QStringLiteral("/logo") }) {
        if (QFileInfo::exists(ToolkitPaths::wallpapers() + part))
            link(ToolkitPaths::wallpapers() + part, SystemPaths::wallpapersDir() + part);
    }
    link(ToolkitPaths::translations(), SystemPaths::translationsDir());
}

PreviewRoot::PreviewRoot(const QString& existingRoot)
    : m_path(QDir(existingRoot).absolutePath())
{
    if (!QFileInfo(m_path).isDir()) {
        m_error = QStringLiteral("'%1' is not a directory").arg(existingRoot);
        return;
    }
    m_previousRoot = SystemPaths::root();
    SystemPaths::setRoot(m_path);
}

PreviewRoot::~PreviewRoot()
{
    if (!m_path.isEmpty())
        SystemPaths::setRoot(m_previousRoot);
}

QString PreviewRoot::path() const
{
    return m_path;
}

QString PreviewRoot::filePath(const QString& absolutePath) const
{
    return m_path + absolutePath;
}

bool PreviewRoot::isValid() const
{
    return m_error.isEmpty();
}

QString PreviewRoot::errorString() const
{
    return m_error;
}

void PreviewRoot::write(const QString& path, const QByteArray& content, bool executable)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        m_error = QStringLiteral("cannot write '%1': %2").arg(path, file.errorString());
        return;
    }
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
}

void PreviewRoot::link(const QString& target, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::link(target, path);
}
