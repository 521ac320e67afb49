// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "CatalogueInstaller.h"

#include "SystemPaths.h"

#include <QCoreApplication>
#include <QLocale>
#include <QThread>
#include <QTimer>
#include <QTranslator>

bool CatalogueInstaller::install(const QString& fileName)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (QThread::currentThread() != app->thread()) {
        QTimer::singleShot(0, app, [fileName] { install(fileName); });
        return false;
    }

    auto* translator = new QTranslator(app);
    if (translator->load(QLocale::system(), fileName, QStringLiteral("_"), SystemPaths::translationsDir(), QString())
        && QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

namespace
{

void installLibraryCatalogue()
{
    CatalogueInstaller::install(QStringLiteral("libvestibule_common"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installLibraryCatalogue)
