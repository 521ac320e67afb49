// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QString>

/**
 * Installs a translation catalogue from the system's translations directory for the
 * system locale, the way the library and the theme plug-ins do at start-up.
 */
class VESTIBULE_COMMON_EXPORT CatalogueInstaller
{
public:
    /**
     * Loads "<fileName>_<locale>.qm" (with Qt's fallbacks to shorter locale names) into a
     * translator owned by the application object and installs it. Nothing happens when the
     * catalogue cannot be loaded. From a thread other than the application's, the work is
     * posted to the application's thread. Returns whether a translator was installed now.
     */
    static bool install(const QString& fileName);
};
