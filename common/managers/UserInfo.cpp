// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "UserInfo.h"

#include <QSet>

#include <algorithm>

#include <grp.h>
#include <pwd.h>

namespace
{

/// Selected or hidden entries: plain names, and groups given as "@name" (with their members and gid).
struct ExpandedEntries {
    QSet<QString> names;
    QSet<uint32_t> groupIds;
    bool namesGroup = false;
};

ExpandedEntries expand(const QStringList& entries)
{
    ExpandedEntries expanded;
    for (const QString& entry : entries) {
        if (!entry.startsWith(QLatin1Char('@'))) {
            expanded.names.insert(entry);
            continue;
        }
        expanded.namesGroup = true;
        // A group that does not exist adds nothing.
        const struct group* group = getgrnam(entry.mid(1).toUtf8().constData());
        if (!group)
            continue;
        expanded.groupIds.insert(group->gr_gid);
        for (char** member = group->gr_mem; member && *member; ++member)
            expanded.names.insert(QString::fromUtf8(*member));
    }
    return expanded;
}

bool uidInRange(uint32_t uid, const UserInfo::Filter& filter)
{
    if (uid >= filter.minUid)
        return uid <= filter.maxUid;
    return uid == 0 && filter.showRoot;
}

bool matches(const QString& name, uint32_t gid, const ExpandedEntries& entries)
{
    return entries.names.contains(name) || entries.groupIds.contains(gid);
}

/// Calls @p visit with every entry of the user database, in its own order.
template<typename Visit>
void forEachAccount(Visit visit)
{
    setpwent();
    while (const struct passwd* entry = getpwent())
        visit(*entry);
    endpwent();
}

} // namespace

PasswdLine UserInfo::getUser(const QString& name)
{
    const struct passwd* entry = getpwnam(name.toUtf8().constData());
    return entry ? PasswdLine::fromPasswd(*entry) : PasswdLine();
}

QList<PasswdLine> UserInfo::getUserList()
{
    QList<PasswdLine> accounts;
    forEachAccount([&accounts](const struct passwd& entry) { accounts.append(PasswdLine::fromPasswd(entry)); });
    return accounts;
}

QList<PasswdLine> UserInfo::getUserList(const Filter& filter)
{
    QList<PasswdLine> result;
    const ExpandedEntries selected = expand(filter.selectedUsers);

    if (filter.showAll || selected.namesGroup) {
        const ExpandedEntries hidden = filter.showAll ? expand(filter.hiddenUsers) : ExpandedEntries();
        QSet<QString> taken;
        taken.reserve(1024);
        // Only the name is decoded before the decision; the whole line only for accounts taken.
        forEachAccount([&](const struct passwd& entry) {
            if (!uidInRange(entry.pw_uid, filter))
                return;
            const QString name = QString::fromUtf8(entry.pw_name);
            const bool take
                = filter.showAll ? !matches(name, entry.pw_gid, hidden) : matches(name, entry.pw_gid, selected);
            if (!take)
                return;
            const int before = taken.size();
            taken.insert(name);
            if (taken.size() != before)
                result.append(PasswdLine::fromPasswd(entry));
        });
    } else {
        // Only plain names: looked up one by one, in the order given.
        for (const QString& name : filter.selectedUsers) {
            const PasswdLine account = getUser(name);
            if (account.isValid() && (account.uid != 0 || filter.showRoot))
                result.append(account);
        }
    }

    if (filter.sortUsers) {
        std::stable_sort(
            result.begin(), result.end(), [](const PasswdLine& a, const PasswdLine& b) { return a.name < b.name; });
    }
    return result;
}
