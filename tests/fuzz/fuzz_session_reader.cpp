// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A session desktop file, read alone and as part of its directory, as the host reads
// /usr/share/xsessions. An existing file never throws.
#include "FuzzSupport.h"
#include "SessionReader.h"

#include <QFile>
#include <QFileInfo>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::prepareGreeterProcess(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString file = FuzzSupport::writeInput(
        QStringLiteral("/usr/share/xsessions"), QStringLiteral("session"), QStringLiteral("desktop"), data, size);

    const SessionDescription alone = SessionReader::create(file);
    const QList<SessionDescription> listed = SessionReader::readDirs(QStringList { QFileInfo(file).path() });
    // The directory holds this one file: reading it there must give the same record.
    if (listed.size() != 1 || listed.first() != alone)
        std::abort();

    QFile::remove(file);
    return 0;
}
