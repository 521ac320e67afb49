// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The display manager's configuration file as the standard theme reads it: the greeting
// and password-less users through KConfig, the domain keys through QSettings, from groups
// whose names carry "*" and ":".
#include "DisplayManagerConfig.h"
#include "FuzzSupport.h"

#include <QFile>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::prepareGreeterProcess(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString file = FuzzSupport::writeInput(
        QStringLiteral("/etc/X11/nimb-dm"), QStringLiteral("nimb-dmrc"), QStringLiteral("conf"), data, size);

    const DisplayManagerConfig config(file);
    config.greetString();
    // The lists are what the theme offers: never an empty entry, never one still holding its separator.
    for (const QString& domain : config.domainSettings().domains) {
        if (domain.isEmpty() || domain.contains(QLatin1Char(':')))
            std::abort();
    }
    for (const QString& user : config.passwordlessUsers()) {
        if (user.isEmpty() || user.contains(QLatin1Char(',')))
            std::abort();
    }

    QFile::remove(file);
    return 0;
}
