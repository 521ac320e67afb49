// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A theme's settings.yaml: loaded, then read as the themes read it. yaml-cpp's own
// exceptions are the documented failure; anything else escaping is a fault.
#include "FuzzSupport.h"
#include "ThemeSettings.h"

#include <yaml-cpp/exceptions.h>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::prepareEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString file = FuzzSupport::path(QStringLiteral("/usr/share/nimb-dm/themes/fuzz/settings.yaml"));
    FuzzSupport::writeFile(file, data, size);

    ThemeSettings settings;
    try {
        settings.load(file);
        settings.background();
        for (const char* language : { "en", "ru", "ru_RU", "", "en_US.UTF-8" })
            settings.sessionAliases(QString::fromLatin1(language));
    } catch (const YAML::Exception&) {
    }
    return 0;
}
