// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

/// The program's two catalogues: Qt's own and "codegate", both for the system locale.
class PromptTranslations
{
public:
    /// "/usr/share/nimb/translations", below VESTIBULE_SYSTEM_ROOT when that is set and not empty.
    static QString catalogueDir();

    /**
     * Loads and installs both catalogues into the application. A catalogue that cannot be
     * loaded or installed is discarded and reported on standard error; the prompt then
     * goes on untranslated.
     */
    static void install();
};
