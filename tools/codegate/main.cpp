// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PinOutput.h"
#include "PinPrompt.h"
#include "PromptTranslations.h"

#include <QApplication>
#include <QByteArray>

#include <cstdio>

namespace
{

bool asksForHelp(int argc, char** argv)
{
    if (argc < 2)
        return true;
    // With more arguments a caller passes a question, whatever its first word is.
    return argc == 2 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (asksForHelp(argc, argv)) {
        std::fputs("codegate PIN1LABELTXT or PIN2LABELTXT\n", stderr);
        return 0;
    }
    // Taken before QApplication removes the options it knows from argv.
    const bool currentPinMode = qstrcmp(argv[1], "PIN1LABELTXT") == 0;

    PinOutput output;

    // Russian is the prompt's default language; a caller's own LANG, even an empty one, stays.
    if (!qEnvironmentVariableIsSet("LANG"))
        qputenv("LANG", QByteArrayLiteral("ru_RU.UTF-8"));

    QApplication app(argc, argv);
    PromptTranslations::install();

    const QString pin = PinPrompt::ask(currentPinMode);
    if (!output.write(pin)) {
        // The caller would otherwise take an exit status of 0 for a PIN it never received.
        std::fputs("codegate: can't write the PIN to standard output\n", stderr);
        return 1;
    }
    return 0;
}
