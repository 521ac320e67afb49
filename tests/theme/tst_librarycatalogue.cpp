// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "CatalogueInstaller.h"
#include "Exceptions.h"
#include "SystemPaths.h"
#include "ThemeWidgetCreator.h"
#include "Utils.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>
#include <QTranslator>

// Runs with VESTIBULE_SYSTEM_ROOT pointing at CATALOGUE_ROOT and a Russian locale: the
// library's catalogue must be installed by the time the application object exists.
class LibraryCatalogueTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void catalogueIsInstalledAtStart();
    void shortSystemLocaleIsLanguage();
    void missingCatalogueInstallsNothing();
    void installFromAnotherThreadIsPosted();
};

void LibraryCatalogueTest::catalogueIsInstalledAtStart()
{
    QCOMPARE(SystemPaths::translationsDir(), QStringLiteral(CATALOGUE_ROOT "/usr/share/nimb/translations"));
    QCOMPARE(FileNotExistsException(QStringLiteral("/x")).fullDetails(), QStringLiteral("Файл '/x' не существует"));
    QCOMPARE(ThemeWidgetCreator::tr("Login plugins is empty"), QStringLiteral("Список модулей входа пуст"));
}

void LibraryCatalogueTest::shortSystemLocaleIsLanguage()
{
    QCOMPARE(Utils::shortSystemLocale(), QStringLiteral("ru"));
}

void LibraryCatalogueTest::missingCatalogueInstallsNothing()
{
    QVERIFY(!CatalogueInstaller::install(QStringLiteral("no_such_catalogue")));
    QVERIFY(CatalogueInstaller::install(QStringLiteral("libvestibule_common")));
}

void LibraryCatalogueTest::installFromAnotherThreadIsPosted()
{
    bool installedNow = true;
    QThread* thread = QThread::create(
        [&installedNow] { installedNow = CatalogueInstaller::install(QStringLiteral("libvestibule_common")); });
    thread->start();
    QVERIFY(thread->wait(10000));
    delete thread;
    QVERIFY(!installedNow);
    const int before = qApp->findChildren<QTranslator*>().size();
    QTRY_COMPARE(qApp->findChildren<QTranslator*>().size(), before + 1);
}

int main(int argc, char** argv)
{
    // The catalogue has to be in place before the application object runs the pre-routines.
    const QString dir = QStringLiteral(CATALOGUE_ROOT "/usr/share/nimb/translations");
    QDir().mkpath(dir);
    QFile::remove(dir + QStringLiteral("/libvestibule_common_ru.qm"));
    if (!QFile::copy(QStringLiteral(LIBRARY_CATALOGUE_RU), dir + QStringLiteral("/libvestibule_common_ru.qm")))
        return 2;

    int status = 0;
    {
        QApplication app(argc, argv);
        LibraryCatalogueTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    QDir(QStringLiteral(CATALOGUE_ROOT)).removeRecursively();
    return status;
}

#include "tst_librarycatalogue.moc"
