// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The previous-user store as the standard theme keeps it: read at start, written back
// after a login. What was read must survive being written and read again.
#include "FuzzSupport.h"
#include "StsSettings.h"

#include <QFile>

#include <cstdlib>

namespace
{

/// Text that the store's one-line record can carry unchanged: no line breaks or controls.
bool storable(const QString& text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
            || c.category() == QChar::Separator_Paragraph)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::prepareGreeterProcess(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString file = FuzzSupport::writeInput(
        QStringLiteral("/var/lib/nimb-dm"), QStringLiteral("prev-user"), QStringLiteral("ini"), data, size);

    UserStsData read;
    {
        StsSettings store(file, QStringLiteral("user"), QStringLiteral("@"));
        read = store.getPrevUserData();
        store.savePrevUserData(read);
    }
    const UserStsData again = StsSettings(file, QStringLiteral("user"), QStringLiteral("@")).getPrevUserData();
    if (storable(read.username) && storable(read.domain)
        && (again.username != read.username || again.domain != read.domain))
        std::abort();

    QFile::remove(file);
    return 0;
}
