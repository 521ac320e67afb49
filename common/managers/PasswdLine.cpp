// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PasswdLine.h"

#include <pwd.h>

PasswdLine PasswdLine::fromPasswd(const struct passwd& entry)
{
    PasswdLine line;
    line.name = QString::fromUtf8(entry.pw_name);
    line.passwd = QString::fromUtf8(entry.pw_passwd);
    line.uid = entry.pw_uid;
    line.gid = entry.pw_gid;
    line.gecos = QString::fromUtf8(entry.pw_gecos);
    line.dir = QString::fromUtf8(entry.pw_dir);
    line.shell = QString::fromUtf8(entry.pw_shell);
    return line;
}
