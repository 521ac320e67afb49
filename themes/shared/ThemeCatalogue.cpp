// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The themes' own texts (the ThemeWidget context) come from one catalogue shared by both
// plug-ins; it is installed as soon as a plug-in is loaded, before any theme widget exists.
#include "CatalogueInstaller.h"

#include <QCoreApplication>

namespace
{

void installThemeCatalogue()
{
    CatalogueInstaller::install(QStringLiteral("vestibule_modern_noload"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installThemeCatalogue)
