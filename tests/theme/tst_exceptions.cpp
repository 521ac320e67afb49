// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"
#include "TestFiles.h"
#include "Utils.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

class ExceptionsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullDetailsTexts_data();
    void fullDetailsTexts();
    void accessorsKeepConstructorValues();
    void catchesAcrossTheLibraryByBaseClass();
    void copiesKeepTheirDetails();

    void findWidgetFindsGrandchildrenAndLayouts();
    void findWidgetReturnsFirstOfTwoWithOneName();
    void findWidgetRefusesWrongTypeAndMissingName_data();
    void findWidgetRefusesWrongTypeAndMissingName();

    void openFileReadsExistingFile();
    void openFileOnMissingFile();
    void openFileOnDirectory();
    void openFileOnUnreadableFile();

    void shortSystemLocaleIsLanguagePart();
};

void ExceptionsTest::fullDetailsTexts_data()
{
    QTest::addColumn<QString>("details");
    QTest::addColumn<QString>("expected");

    QTest::newRow("common: message unchanged")
        << CommonException(QStringLiteral("Something %1 broke")).fullDetails() << QStringLiteral("Something %1 broke");
    QTest::newRow("open file: path, full stop, blank, error, full stop")
        << OpenFileException(QStringLiteral("/x/y.ui"), QIODevice::ReadOnly, QStringLiteral("Permission denied"))
               .fullDetails()
        << QStringLiteral("Can not open file '/x/y.ui'. Permission denied.");
    QTest::newRow("file not exists")
        << FileNotExistsException(QStringLiteral("/themes/a/RezGreeterTheme.desktop")).fullDetails()
        << QStringLiteral("File '/themes/a/RezGreeterTheme.desktop' not exists");
    QTest::newRow("plugin load: path first, details second")
        << PluginLoadException(QStringLiteral("/lib/vestibule_x.so"), QStringLiteral("undefined symbol")).fullDetails()
        << QStringLiteral("Can not load '/lib/vestibule_x.so' plugine. undefined symbol");
    // Placeholders inside the values must not be expanded a second time.
    QTest::newRow("plugin load: markers in path stay")
        << PluginLoadException(QStringLiteral("/odd/%2/name"), QStringLiteral("why")).fullDetails()
        << QStringLiteral("Can not load '/odd/%2/name' plugine. why");
    QTest::newRow("open file: markers in path stay")
        << OpenFileException(QStringLiteral("/odd/%2"), QIODevice::ReadOnly, QStringLiteral("err")).fullDetails()
        << QStringLiteral("Can not open file '/odd/%2'. err.");
}

void ExceptionsTest::fullDetailsTexts()
{
    QFETCH(QString, details);
    QFETCH(QString, expected);
    QCOMPARE(details, expected);
}

void ExceptionsTest::accessorsKeepConstructorValues()
{
    const OpenFileException open(QStringLiteral("/a"), QIODevice::ReadOnly, QStringLiteral("b"));
    QCOMPARE(open.path(), QStringLiteral("/a"));
    QCOMPARE(open.mode(), QIODevice::OpenMode(QIODevice::ReadOnly));
    QCOMPARE(open.details(), QStringLiteral("b"));

    const PluginLoadException plugin(QStringLiteral("/p.so"), QStringLiteral("d"));
    QCOMPARE(plugin.path(), QStringLiteral("/p.so"));
    const CommonException& asCommon = plugin;
    QCOMPARE(asCommon.fullDetails(), QStringLiteral("Can not load '/p.so' plugine. d"));

    QCOMPARE(FileNotExistsException(QStringLiteral("/f")).path(), QStringLiteral("/f"));
}

void ExceptionsTest::catchesAcrossTheLibraryByBaseClass()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.ui"));
    bool caught = false;
    try {
        delete Utils::openFile(missing);
    } catch (const DetailsException& e) {
        caught = true;
        QVERIFY(dynamic_cast<const FileNotExistsException*>(&e));
        QCOMPARE(e.fullDetails(), QStringLiteral("File '%1' not exists").arg(missing));
    }
    QVERIFY(caught);

    caught = false;
    try {
        Utils::findWidget<QLabel*>(QStringLiteral("nothing"), nullptr);
    } catch (const QException&) {
        caught = true;
    }
    QVERIFY(caught);
}

void ExceptionsTest::copiesKeepTheirDetails()
{
    const OpenFileException original(QStringLiteral("/a"), QIODevice::ReadOnly, QStringLiteral("b"));
    const OpenFileException copy = original;
    QCOMPARE(copy.fullDetails(), original.fullDetails());

    std::unique_ptr<QException> cloned(CommonException(QStringLiteral("m")).clone());
    QVERIFY(cloned);
}

void ExceptionsTest::findWidgetFindsGrandchildrenAndLayouts()
{
    QWidget root;
    root.setObjectName(QStringLiteral("root"));
    auto* middle = new QWidget(&root);
    auto* layout = new QGridLayout(middle);
    layout->setObjectName(QStringLiteral("centralGridLayout"));
    auto* edit = new QLineEdit(middle);
    edit->setObjectName(QStringLiteral("passwordLineEdit"));
    layout->addWidget(edit);

    QCOMPARE(Utils::findWidget<QLineEdit*>(QStringLiteral("passwordLineEdit"), &root), edit);
    QCOMPARE(Utils::findWidget<QWidget*>(QStringLiteral("passwordLineEdit"), &root), edit);
    QCOMPARE(Utils::findWidget<QGridLayout*>(QStringLiteral("centralGridLayout"), &root), layout);
}

void ExceptionsTest::findWidgetReturnsFirstOfTwoWithOneName()
{
    QWidget root;
    auto* first = new QLabel(QStringLiteral("first"), &root);
    first->setObjectName(QStringLiteral("twin"));
    auto* holder = new QWidget(&root);
    auto* second = new QLabel(QStringLiteral("second"), holder);
    second->setObjectName(QStringLiteral("twin"));

    QCOMPARE(
        Utils::findWidget<QLabel*>(QStringLiteral("twin"), &root), root.findChild<QLabel*>(QStringLiteral("twin")));
    QCOMPARE(Utils::findWidget<QLabel*>(QStringLiteral("twin"), &root)->text(), QStringLiteral("first"));
}

void ExceptionsTest::findWidgetRefusesWrongTypeAndMissingName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("name exists as another type") << QStringLiteral("titleLabel");
    QTest::newRow("name does not exist") << QStringLiteral("noSuchWidget");
    QTest::newRow("name differs in case") << QStringLiteral("TitleLabel");
}

void ExceptionsTest::findWidgetRefusesWrongTypeAndMissingName()
{
    QFETCH(QString, name);
    QWidget root;
    root.setObjectName(QStringLiteral("loginForm"));
    auto* label = new QLabel(&root);
    label->setObjectName(QStringLiteral("titleLabel"));

    try {
        Utils::findWidget<QLineEdit*>(name, &root);
        QFAIL("no exception");
    } catch (const CommonException& e) {
        QCOMPARE(e.fullDetails(), QStringLiteral("Widget '%1' not found in parent 'loginForm'").arg(name));
    }
}

void ExceptionsTest::openFileReadsExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.txt"));
    QVERIFY(TestFiles::write(path, "content"));
    std::unique_ptr<QFile> file(Utils::openFile(path));
    QVERIFY(file->isOpen());
    QCOMPARE(file->openMode(), QIODevice::OpenMode(QIODevice::ReadOnly));
    QCOMPARE(file->readAll(), QByteArray("content"));
}

void ExceptionsTest::openFileOnMissingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("absent"));
    QVERIFY_EXCEPTION_THROWN(Utils::openFile(path), FileNotExistsException);
}

void ExceptionsTest::openFileOnDirectory()
{
    QTemporaryDir dir;
    try {
        delete Utils::openFile(dir.path());
        QFAIL("a directory was opened as a file");
    } catch (const OpenFileException& e) {
        QCOMPARE(e.path(), dir.path());
        QCOMPARE(e.mode(), QIODevice::OpenMode(QIODevice::ReadOnly));
        QVERIFY(!e.details().isEmpty());
        QCOMPARE(e.fullDetails(), QStringLiteral("Can not open file '%1'. %2.").arg(dir.path(), e.details()));
    }
}

void ExceptionsTest::openFileOnUnreadableFile()
{
    if (geteuid() == 0)
        QSKIP("root reads files regardless of their mode");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("secret"));
    QVERIFY(TestFiles::write(path, "x"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QVERIFY_EXCEPTION_THROWN(Utils::openFile(path), OpenFileException);
}

void ExceptionsTest::shortSystemLocaleIsLanguagePart()
{
    const QString name = QLocale::system().name();
    QCOMPARE(Utils::shortSystemLocale(), name.left(2));
    QVERIFY(Utils::shortSystemLocale().size() <= 2);
}

QTEST_MAIN(ExceptionsTest)
#include "tst_exceptions.moc"
