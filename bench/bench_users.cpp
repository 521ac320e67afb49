// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// Times the user-database work of a greeter host on large nss_wrapper databases:
// the bare database walk, the filtered listings, the face lookup and the users manager's
// construction. Run it without arguments; it starts itself once per database size with
// nss_wrapper preloaded and prints one table.
#include "UserIcon.h"
#include "UserInfo.h"
#include "UsersManager.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <pwd.h>

namespace
{

constexpr int groupCount = 1000;
constexpr int repetitions = 5;

bool writeDatabase(const QString& dir, int accounts)
{
    QFile passwd(dir + QStringLiteral("/passwd"));
    QFile group(dir + QStringLiteral("/group"));
    if (!passwd.open(QIODevice::WriteOnly) || !group.open(QIODevice::WriteOnly))
        return false;
    passwd.write("root:x:0:0:root:/root:/bin/sh\n");
    for (int i = 0; i < accounts; ++i) {
        const QByteArray name = "user" + QByteArray::number(i);
        const QByteArray gid = QByteArray::number(10000 + i % groupCount);
        passwd.write(name + ":x:" + QByteArray::number(1000 + i) + ":" + gid + ":User " + QByteArray::number(i) + ":"
            + dir.toUtf8() + "/home/" + name + ":/bin/sh\n");
    }
    group.write("root:x:0:\n");
    for (int g = 0; g < groupCount; ++g) {
        QByteArray members;
        // Ten listed members per group, spread over the whole database.
        for (int m = 0; m < 10; ++m) {
            const int index = (g * 97 + m * 7919) % accounts;
            members += (m ? "," : "") + QByteArray("user") + QByteArray::number(index);
        }
        group.write("group" + QByteArray::number(g) + ":x:" + QByteArray::number(10000 + g) + ":" + members + "\n");
    }
    return true;
}

double medianMs(const std::function<void()>& work)
{
    return ::medianMs(work, repetitions);
}

int runChild(int accounts, const QString& dir)
{
    UserInfo::Filter base;
    base.minUid = 1000;
    base.maxUid = 4000000;

    const double bare = medianMs([] {
        int count = 0;
        setpwent();
        while (getpwent())
            ++count;
        endpwent();
        if (count == 0)
            std::fprintf(stderr, "empty database\n");
    });

    int unfilteredCount = 0;
    const double unfiltered = medianMs([&] { unfilteredCount = UserInfo::getUserList().size(); });

    UserInfo::Filter showAll = base;
    showAll.showAll = true;
    int listed = 0;
    const double all = medianMs([&] { listed = UserInfo::getUserList(showAll).size(); });

    UserInfo::Filter selectedGroup = base;
    selectedGroup.selectedUsers = QStringList { QStringLiteral("@group7"), QStringLiteral("user3") };
    int selected = 0;
    const double group = medianMs([&] { selected = UserInfo::getUserList(selectedGroup).size(); });

    UserInfo::Filter hiddenGroups = showAll;
    for (int g = 0; g < 50; ++g)
        hiddenGroups.hiddenUsers << QStringLiteral("@group%1").arg(g);
    int visible = 0;
    const double hidden = medianMs([&] { visible = UserInfo::getUserList(hiddenGroups).size(); });

    QDir().mkpath(dir + QStringLiteral("/faces"));
    int faces = 0;
    const double icons
        = medianMs([&] { faces = UserIcon::getUserIcons(dir + QStringLiteral("/faces"), PreferAdmin).size(); });

    const QList<PasswdLine> lines = UserInfo::getUserList();
    const double manager = medianMs([&] {
        UsersManager users(
            lines, {}, false, true, QString(), UsersManager::PreselNone, true, UsersManager::AutoScreen, true);
        if (users.users().size() != lines.size())
            std::fprintf(stderr, "users lost\n");
    });

    // Against the bare walk, and against the unfiltered listing, which decodes every account as well.
    auto row = [&](const char* what, double ms, int count) {
        std::printf("%8d  %-28s %9.2f ms  %6.2fx walk  %5.2fx list  (%d)\n", accounts, what, ms,
            bare > 0 ? ms / bare : 0.0, unfiltered > 0 ? ms / unfiltered : 0.0, count);
    };
    row("bare getpwent walk", bare, -1);
    row("getUserList() unfiltered", unfiltered, unfilteredCount);
    row("filter showAll", all, listed);
    row("filter with selected group", group, selected);
    row("filter with hidden groups", hidden, visible);
    row("getUserIcons(PreferAdmin)", icons, faces);
    row("UsersManager construction", manager, lines.size());
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        return runChild(QByteArray(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]));
    }

    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    std::printf("accounts  operation                   median of %d runs\n", repetitions);
    std::fflush(stdout);
    for (int accounts : { 10000, 100000 }) {
        const QString dir = root.filePath(QString::number(accounts));
        QDir().mkpath(dir);
        if (!writeDatabase(dir, accounts)) {
            std::fprintf(stderr, "bench_users: cannot write the database in %s\n", qPrintable(dir));
            return 1;
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(NSS_WRAPPER_LIBRARY));
        env.insert(QStringLiteral("NSS_WRAPPER_PASSWD"), dir + QStringLiteral("/passwd"));
        env.insert(QStringLiteral("NSS_WRAPPER_GROUP"), dir + QStringLiteral("/group"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Token files of the benchmark stay inside its own directory.
        env.insert(QStringLiteral("VESTIBULE_SYSTEM_ROOT"), dir);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(
            QCoreApplication::applicationFilePath(), { QStringLiteral("--child"), QString::number(accounts), dir });
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench_users: the run with %d accounts failed\n", accounts);
            return 1;
        }
    }
    return 0;
}
