// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The preview host's scenario file. Every mistake in it is a ScenarioError that names
// the place; nothing else may leave the reader.
#include "FuzzSupport.h"
#include "Scenario.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::prepareEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));
    try {
        const Scenario scenario = Scenario::parse(text, QStringLiteral("fuzz.yaml"));
        // The reader promises unique logins and an auto-login user that has an account.
        QStringList logins;
        for (const ScenarioAccount& account : scenario.accounts) {
            if (account.login.isEmpty() || logins.contains(account.login))
                std::abort();
            logins << account.login;
        }
        if (!scenario.autoLoginUser.isEmpty() && !scenario.account(scenario.autoLoginUser))
            std::abort();
    } catch (const ScenarioError&) {
    }
    return 0;
}
