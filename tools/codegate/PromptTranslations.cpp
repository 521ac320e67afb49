// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PromptTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace
{

bool installCatalogue(const QString& name, const QString& directory)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale::system(), name, QStringLiteral("_"), directory)
        && QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

} // namespace

QString PromptTranslations::catalogueDir()
{
    // The program links Qt alone, so it cannot ask the greeter library's SystemPaths; it
    // honours the same VESTIBULE_SYSTEM_ROOT override here so that tests and staged
    // installations find the catalogue the same way the library does.
    QString root = qEnvironmentVariable("VESTIBULE_SYSTEM_ROOT");
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root + QStringLiteral("/usr/share/nimb/translations");
}

void PromptTranslations::install()
{
    if (!installCatalogue(QStringLiteral("qt"), QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        std::fputs("codegate: can 't load/install qt translator\n", stderr);
    if (!installCatalogue(QStringLiteral("codegate"), catalogueDir()))
        std::fputs("codegate: can't load/install app translator\n", stderr);
}
