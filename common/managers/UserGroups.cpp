// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "UserGroups.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <grp.h>
#include <pwd.h>

bool Utils::isUserNameInGroup(const char* groupName, const char* userName)
{
    if (!groupName || !userName)
        return false;

    const struct passwd* account = getpwnam(userName);
    if (!account) {
        std::fprintf(stderr, "libnimbcore: getpwnam(%s) failed\n", userName);
        return false;
    }
    const gid_t primaryGid = account->pw_gid;

    std::vector<gid_t> groups;
    int count = 256;
    try {
        groups.resize(count);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "libnimbcore: isUserInGroup() memory allocation error\n");
        return false;
    }

    int reported = count;
    int found = getgrouplist(userName, primaryGid, groups.data(), &reported);
    // A user in more groups than the first guess: ask again with the size the call reported,
    // otherwise members of many groups would be refused.
    if (found == -1 && reported > count) {
        try {
            groups.resize(reported);
        } catch (const std::bad_alloc&) {
            std::fprintf(stderr, "libnimbcore: isUserInGroup() memory allocation error\n");
            return false;
        }
        count = reported;
        found = getgrouplist(userName, primaryGid, groups.data(), &reported);
    }
    if (found == -1) {
        std::fprintf(stderr, "libnimbcore: getgrouplist(%s,...) returned -1; ngroups = %d\n", userName, reported);
        return false;
    }

    for (int i = 0; i < reported && i < count; ++i) {
        const struct group* group = getgrgid(groups[i]);
        if (group && group->gr_name && std::strcmp(group->gr_name, groupName) == 0)
            return true;
    }
    return false;
}
