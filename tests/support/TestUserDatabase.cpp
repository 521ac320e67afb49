// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "TestUserDatabase.h"

namespace
{

struct Account {
    const char* name;
    const char* uid;
    const char* gid;
    const char* gecos;
};

// clang-format off
const Account accounts[] = {
    { "root", "0", "0", "root" },
    { "daemon", "1", "1", "daemon" },
    { "bin", "2", "2", "bin" },
    { "sys", "3", "3", "sys" },
    { "svc", "999", "999", "Service" },
    { "anna", "1000", "1000", "Anna Petrova" },
    { "boris", "1001", "1001", "Boris" },
    { "clara", "1002", "2000", "Clara" },
    { "dmitri", "1003", "1003", "Dmitri" },
    { "eva", "1004", "1004", "Eva" },
    { "anna", "1005", "1005", "Second Anna" },
    { "john.smith", "1006", "1006", "John Smith" },
    { "mary.jane.doe", "1007", "1007", "Mary Jane Doe" },
    { "felix", "1008", "2000", "Felix" },
    { "grace", "1009", "1009", "Grace" },
    { "henrik", "1010", "1010", "Henrik" },
    { "ivan", "1011", "1011", "Ivan" },
    { "julia", "1012", "1012", "Julia" },
    { "kirill", "1013", "1013", "Kirill" },
    { "big", "70000", "70000", "Big uid" },
    { "edge", "4294967294", "4294967294", "Edge of the uid range" },
    { "nobody", "65534", "65534", "nobody" },
};
// clang-format on

} // namespace

QByteArray TestUserDatabase::passwd()
{
    QByteArray text;
    for (const Account& account : accounts) {
        text.append(account.name).append(":x:").append(account.uid).append(':').append(account.gid).append(':');
        text.append(account.gecos).append(":@DIR@/home/").append(account.name).append(":/bin/sh\n");
    }
    return text;
}

QByteArray TestUserDatabase::group()
{
    QByteArray text = "root:x:0:\nstaff:x:2000:dmitri,eva\nadmins:x:2001:boris\nwheel:x:2002:root,anna\n";
    for (int i = 0; i < 300; ++i)
        text.append("many")
            .append(QByteArray::number(i))
            .append(":x:")
            .append(QByteArray::number(3000 + i))
            .append(":grace\n");
    for (const Account& account : accounts) {
        if (QByteArray(account.gid) != "0" && QByteArray(account.gid) != "2000" && QByteArray(account.name) != "anna")
            text.append(account.name).append(":x:").append(account.gid).append(":\n");
    }
    text += "anna:x:1000:\nanna2:x:1005:\n";
    return text;
}
