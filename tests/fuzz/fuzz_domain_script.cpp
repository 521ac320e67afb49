// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The domain script's output as the domain manager takes it: a real script that prints
// the input, run once to list domains and once to convert a login name.
#include "DomainManager.h"
#include "FuzzSupport.h"
#include "SystemPaths.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace
{

QString outputFile;

// The script ends at once; a run that takes longer than this has hung in the manager.
constexpr int listingLimitMs = 5000;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::prepareEnvironment();
    FuzzSupport::silenceQtMessages();
    // Never destroyed: Qt cannot take its application object down among the static destructors.
    new QCoreApplication(*argc, *argv);

    outputFile = FuzzSupport::path(QStringLiteral("/var/tmp/domain-script-output"));
    const QString script = SystemPaths::domainScriptsDir() + QStringLiteral("list-domains");
    FuzzSupport::writeFile(script, "#!/bin/sh\nexec cat '" + QFile::encodeName(outputFile) + "'\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::writeFile(outputFile, data, size);

    DomainSettings settings;
    settings.domains = QStringList { QStringLiteral("corp.example") };
    DomainManager manager(settings);

    // Two announcements: the waiting list on the first event-loop turn, and the listing's result.
    int announcements = 0;
    QEventLoop loop;
    QObject::connect(&manager, &DomainManager::domainsListChanged, &loop, [&] {
        if (++announcements == 2)
            loop.quit();
    });
    QTimer::singleShot(listingLimitMs, &loop, [] {
        std::fprintf(stderr, "fuzz: the domain listing did not end within %d ms\n", listingLimitMs);
        std::abort();
    });
    loop.exec();

    // Listed domains are single words on lines of their own.
    const QStringList domains = manager.domains();
    for (const QString& domain : domains) {
        if (domain.isEmpty() || domain.contains(QLatin1Char(' ')) || domain.contains(QLatin1Char('\n')))
            std::abort();
    }

    // A conversion answers exactly once, and never passes an empty name on as a login.
    int answers = 0;
    QObject::connect(&manager, &DomainManager::errorOccurred, [&] { ++answers; });
    QObject::connect(&manager, &DomainManager::loginRequestDataHandled, [&](const AuthData& converted) {
        ++answers;
        if (converted.login.trimmed().isEmpty())
            std::abort();
    });
    // A listed domain goes through the script; the configured one would only be joined.
    QString domain = QStringLiteral("unlisted.example");
    for (const QString& listed : domains) {
        if (!settings.domains.contains(listed)) {
            domain = listed;
            break;
        }
    }
    manager.handleLoginRequestData(AuthData { QStringLiteral("anna"), QStringLiteral("secret") }, domain);
    if (answers != 1)
        std::abort();
    return 0;
}
