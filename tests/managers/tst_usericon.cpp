// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "NssDatabase.h"
#include "TestUserDatabase.h"
#include "UserIcon.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

namespace
{

/// A face picture of one colour, so tests can tell where an icon came from.
void writeFace(const QString& path, const QColor& colour)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(colour);
    image.save(path, "PNG");
}

QColor colourOf(const QIcon& icon)
{
    return icon.pixmap(8, 8).toImage().pixelColor(4, 4);
}

} // namespace

class UserIconTest : public QObject
{
    Q_OBJECT
public:
    explicit UserIconTest(const NssDatabase& database)
        : m_database(database)
    {
    }

private Q_SLOTS:
    void initTestCase();
    void precedence_data();
    void precedence();
    void dottedNamesAndOtherSuffixesGiveNoAdminFace();
    void missingFacesDirectory();

private:
    QString facesDir() const { return m_database.filePath(QStringLiteral("faces")); }
    QString home(const char* name) const { return m_database.filePath(QStringLiteral("home/") + QLatin1String(name)); }

    const NssDatabase& m_database;
};

void UserIconTest::initTestCase()
{
    writeFace(facesDir() + QStringLiteral("/.default.face.icon"), Qt::gray);
    writeFace(facesDir() + QStringLiteral("/anna.face.icon"), Qt::red); // admin and home face
    writeFace(facesDir() + QStringLiteral("/boris.face.icon"), Qt::red); // admin face only
    writeFace(home("anna") + QStringLiteral("/.face.icon"), Qt::blue);
    writeFace(home("clara") + QStringLiteral("/.face.icon"), Qt::blue); // home face only
}

void UserIconTest::precedence_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QColor>("anna");

    const QColor none;
    QTest::newRow("admin only") << 0 << QStringList { QString(), QStringLiteral("anna"), QStringLiteral("boris") }
                                << QColor(Qt::red);
    QTest::newRow("prefer admin") << 1
                                  << QStringList { QString(), QStringLiteral("anna"), QStringLiteral("boris"),
                                         QStringLiteral("clara") }
                                  << QColor(Qt::red);
    QTest::newRow("prefer user") << 2
                                 << QStringList { QString(), QStringLiteral("anna"), QStringLiteral("boris"),
                                        QStringLiteral("clara") }
                                 << QColor(Qt::blue);
    QTest::newRow("user only") << 3 << QStringList { QString(), QStringLiteral("anna"), QStringLiteral("clara") }
                               << QColor(Qt::blue);
    QTest::newRow("unknown source: default face only") << 7 << QStringList { QString() } << none;
}

void UserIconTest::precedence()
{
    QFETCH(int, source);
    QFETCH(QStringList, keys);
    QFETCH(QColor, anna);

    const QMap<QString, QIcon> faces = UserIcon::getUserIcons(facesDir(), static_cast<FaceSource>(source));
    QStringList uniqueKeys = faces.keys();
    QCOMPARE(uniqueKeys, keys);
    QCOMPARE(colourOf(faces.value(QString())), QColor(Qt::gray));
    if (anna.isValid())
        QCOMPARE(colourOf(faces.value(QStringLiteral("anna"))), anna);
}

void UserIconTest::dottedNamesAndOtherSuffixesGiveNoAdminFace()
{
    QTemporaryDir dir;
    writeFace(dir.filePath(QStringLiteral("john.smith.face.icon")), Qt::green);
    writeFace(dir.filePath(QStringLiteral("eva.face.png")), Qt::green);
    writeFace(dir.filePath(QStringLiteral("ivan.face.icon.bak")), Qt::green);
    writeFace(dir.filePath(QStringLiteral("julia.face.icon")), Qt::green);
    const QMap<QString, QIcon> faces = UserIcon::getUserIcons(dir.path(), AdminOnly);
    QCOMPARE(faces.keys(), QStringList { QStringLiteral("julia") });
}

void UserIconTest::missingFacesDirectory()
{
    const QMap<QString, QIcon> faces
        = UserIcon::getUserIcons(m_database.filePath(QStringLiteral("no-such-dir")), PreferAdmin);
    QCOMPARE(faces.keys(), (QStringList { QStringLiteral("anna"), QStringLiteral("clara") }));
    QVERIFY(!faces.contains(QString()));
}

VESTIBULE_NSS_TEST_MAIN(UserIconTest, TestUserDatabase::passwd(), TestUserDatabase::group())
#include "tst_usericon.moc"
