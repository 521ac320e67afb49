// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The token-user file, written by an outside agent: read by the watcher after a change
// and taken in by users managers of each kind (token users only, full list, no list).
#include "FuzzSupport.h"
#include "SystemPaths.h"
#include "TokenWatcher.h"
#include "UsersManager.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

struct Rig {
    std::vector<std::unique_ptr<UsersManager>> managers;
    QStringList announced;
};

Rig* rig = nullptr;

QList<PasswdLine> accounts()
{
    QList<PasswdLine> lines;
    uint32_t uid = 1000;
    for (const char* name : { "anna", "boris", "clara", "dmitri", "emma", "j.doe", "user@corp", "ёлка" }) {
        PasswdLine line;
        line.name = QString::fromUtf8(name);
        line.uid = line.gid = uid++;
        line.dir = QStringLiteral("/home/") + line.name;
        line.shell = QStringLiteral("/bin/bash");
        lines.append(line);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::prepareEnvironment();
    FuzzSupport::silenceQtMessages();
    // Never destroyed: Qt cannot take its application object down among the static destructors.
    new QCoreApplication(*argc, *argv);
    FuzzSupport::writeFile(SystemPaths::tokenFile(), QByteArray("anna\n"));

    // Managers and watcher live for the whole run, as in the greeter: the watcher is one
    // per process and every manager connects to it once.
    rig = new Rig;
    const QList<PasswdLine> lines = accounts();
    const QMap<QString, QIcon> faces;
    rig->managers.emplace_back(std::make_unique<UsersManager>(lines, faces, true, true, QStringLiteral("anna"),
        UsersManager::PreselPrevious, true, UsersManager::AutoScreen, true));
    rig->managers.emplace_back(std::make_unique<UsersManager>(
        lines, faces, false, true, QString(), UsersManager::PreselDefault, false, UsersManager::UserInfoScreen, true));
    rig->managers.emplace_back(std::make_unique<UsersManager>(lines, faces, false, false, QString(),
        UsersManager::PreselNone, false, UsersManager::EnterUsernameScreen, false));
    QObject::connect(TokenWatcher::instance(), &TokenWatcher::tokenUsersChanged,
        [](const QStringList& users) { rig->announced = users; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    const QStringList expected = TokenWatcher::parse(content);
    TokenWatcher* watcher = TokenWatcher::instance();

    if (content.isEmpty()) {
        // The agent removes the file when the last token goes, and writes it anew later.
        QFile::remove(SystemPaths::tokenFile());
        watcher->fileChanged();
        if (!rig->announced.isEmpty())
            std::abort();
        FuzzSupport::writeFile(SystemPaths::tokenFile(), content);
        watcher->dirChanged();
    } else {
        FuzzSupport::writeFile(SystemPaths::tokenFile(), content);
        watcher->fileChanged();
    }
    // What the watcher announces is exactly what the file says.
    if (rig->announced != expected)
        std::abort();

    for (const auto& manager : rig->managers) {
        // Every user flagged as having a token is named in the file, and the other way round.
        const UsersData withToken = manager->tokenUsers();
        for (const UserData& user : withToken) {
            if (!expected.contains(user.username))
                std::abort();
        }
        for (const UserData& user : manager->users()) {
            if (user.hasToken != expected.contains(user.username))
                std::abort();
        }
        const UserData single = manager->singleTokenUser();
        if (bool(single) != (withToken.size() == 1) || (single && single.username != withToken.first().username))
            std::abort();
        for (const QString& name : expected.mid(0, 8))
            manager->tokenUser(name);
    }
    return 0;
}
