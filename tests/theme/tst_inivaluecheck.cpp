// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "IniValueCheck.h"
#include "TestFiles.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class IniValueCheckTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void agreesWithTheIniReader_data();
    void agreesWithTheIniReader();
};

namespace
{

// The serialised form of the integer 5: type 2, not null, then the value.
const QByteArray five("\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)");

bool readsAnInteger(const QVariant& value)
{
    if (value.userType() == QMetaType::QVariantList) {
        const QVariantList items = value.toList();
        return std::any_of(items.begin(), items.end(), readsAnInteger);
    }
    return value.userType() == QMetaType::Int;
}

} // namespace

void IniValueCheckTest::agreesWithTheIniReader_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("serialised");

    QTest::newRow("plain") << QByteArray("plasma") << false;
    QTest::newRow("group name") << QByteArray("@wheel") << false;
    QTest::newRow("byte array") << QByteArray("@ByteArray(abc)") << false;
    QTest::newRow("the writer's own escape") << QByteArray("@@Variant(") + five << false;
    QTest::newRow("as written") << QByteArray("@Variant(") + five << true;
    QTest::newRow("hex escape") << QByteArray("\\x40Variant(") + five << true;
    QTest::newRow("octal escape") << QByteArray("\\100Variant(") + five << true;
    QTest::newRow("escaped letter") << QByteArray("@\\x56\\x61riant(") + five << true;
    QTest::newRow("quoted") << QByteArray("\"@Variant(") + five + '"' << true;
    QTest::newRow("quote inside") << QByteArray("@Var\"\"iant(") + five << true;
    QTest::newRow("list item") << QByteArray("a, @Variant(") + five << true;
}

void IniValueCheckTest::agreesWithTheIniReader()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, serialised);

    const QByteArray content = "[Group]\nkey=" + value + '\n';
    QCOMPARE(IniValueCheck::holdsSerialisedObject(content), serialised);

    // The check is only worth anything if Qt's reader really builds an object from exactly
    // these spellings.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.ini"));
    QVERIFY(TestFiles::write(path, content));
    QCOMPARE(IniValueCheck::fileHoldsSerialisedObject(path), serialised);
    QCOMPARE(readsAnInteger(QSettings(path, QSettings::IniFormat).value(QStringLiteral("Group/key"))), serialised);
}

QTEST_GUILESS_MAIN(IniValueCheckTest)
#include "tst_inivaluecheck.moc"
