// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"
#include "SessionReader.h"
#include "TestFiles.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using StringMap = QMap<QString, QString>;

class SessionReaderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsEveryField();
    void absentKeysStayEmpty();
    void localisedNames_data();
    void localisedNames();
    void textWithCommasIsKept();
    void damagedFilesGiveWhatCouldBeRead_data();
    void damagedFilesGiveWhatCouldBeRead();
    void missingFileThrowsWithPath();

    void readDirsPicksDesktopFilesOnly();
    void readDirsKeepsDirectoryOrderAndDuplicates();
    void readDirsFromCStrings();

private:
    QString write(const QString& name, const QByteArray& content);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString SessionReaderTest::write(const QString& name, const QByteArray& content)
{
    const QString path = m_dir.filePath(name);
    TestFiles::write(path, content);
    return path;
}

void SessionReaderTest::readsEveryField()
{
    const QString path = write(QStringLiteral("plasma.desktop"),
        "[Desktop Entry]\n"
        "Name=Plasma\n"
        "Name[de]=Plasma (Deutsch)\n"
        "Name[ru]=Плазма\n"
        "Comment=Full desktop\n"
        "Comment[ru]=Полный рабочий стол\n"
        "Hidden=true\n"
        "Exec=/usr/bin/startplasma-x11\n"
        "TryExec=/usr/bin/startplasma-x11\n"
        "Icon=plasma\n"
        "Type=XSession\n");
    const SessionDescription session = SessionReader::create(path);
    QCOMPARE(session.type, QStringLiteral("plasma"));
    QCOMPARE(session.names,
        (StringMap { { QString(), QStringLiteral("Plasma") },
            { QStringLiteral("de"), QStringLiteral("Plasma (Deutsch)") },
            { QStringLiteral("ru"), QStringLiteral("Плазма") } }));
    QCOMPARE(session.comments,
        (StringMap { { QString(), QStringLiteral("Full desktop") },
            { QStringLiteral("ru"), QStringLiteral("Полный рабочий стол") } }));
    QVERIFY(session.hidden);
    QCOMPARE(session.exec, QStringLiteral("/usr/bin/startplasma-x11"));
    QCOMPARE(session.tryExec, QStringLiteral("/usr/bin/startplasma-x11"));
    QCOMPARE(session.icon, QStringLiteral("plasma"));
    QVERIFY(session.alias.isEmpty());
}

void SessionReaderTest::absentKeysStayEmpty()
{
    // Keys outside the "Desktop Entry" group are not the session's.
    const SessionDescription session = SessionReader::create(
        write(QStringLiteral("bare.desktop"), "[Other]\nName=Elsewhere\nExec=elsewhere\n[Desktop Entry]\nType=X\n"));
    QCOMPARE(session.type, QStringLiteral("bare"));
    QVERIFY(session.names.isEmpty());
    QVERIFY(session.comments.isEmpty());
    QVERIFY(!session.hidden);
    QVERIFY(session.exec.isEmpty());
    QVERIFY(session.tryExec.isEmpty());
    QVERIFY(session.icon.isEmpty());
}

void SessionReaderTest::localisedNames_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<StringMap>("names");
    // The key listing is sorted, so "XName[de]" is met after "Name[de]" and "AName[de]" before it.
    QTest::newRow("prefixed key listed later wins")
        << QByteArray("Name[de]=plain de\nXName[de]=prefixed de\n")
        << StringMap { { QStringLiteral("de"), QStringLiteral("prefixed de") } };
    QTest::newRow("prefixed key listed earlier loses")
        << QByteArray("AName[de]=prefixed de\nName[de]=plain de\n")
        << StringMap { { QStringLiteral("de"), QStringLiteral("plain de") } };
    QTest::newRow("blanks before the bracket")
        << QByteArray("Name [fr]=Français\n") << StringMap { { QStringLiteral("fr"), QStringLiteral("Français") } };
    QTest::newRow("locale with modifier is ignored")
        << QByteArray("Name=Plain\nName[sr@latin]=Srpski\n") << StringMap { { QString(), QStringLiteral("Plain") } };
    QTest::newRow("territory code") << QByteArray("Name[pt_BR]=Português\n")
                                    << StringMap { { QStringLiteral("pt_BR"), QStringLiteral("Português") } };
    QTest::newRow("Comment keys are not names") << QByteArray("Comment=c\nComment[de]=k\n") << StringMap();
    QTest::newRow("empty brackets are ignored") << QByteArray("Name[]=none\n") << StringMap();
}

void SessionReaderTest::localisedNames()
{
    QFETCH(QByteArray, entries);
    QFETCH(StringMap, names);
    // A file of its own per row: the settings reader caches files by path, size and time.
    const QString path = write(QStringLiteral("names-%1.desktop").arg(++m_files), "[Desktop Entry]\n" + entries);
    QCOMPARE(SessionReader::create(path).names, names);

    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Desktop Entry"));
    const QRegularExpression localeKey(QStringLiteral("Name\\s*\\[(?P<locale>\\w+)\\]"));
    QCOMPARE(SessionReader::readLocaleStrings(settings, QStringLiteral("Name"), localeKey), names);
}

void SessionReaderTest::textWithCommasIsKept()
{
    const SessionDescription session = SessionReader::create(write(QStringLiteral("commas.desktop"),
        "[Desktop Entry]\n"
        "Name=Plasma, Wayland\n"
        "Comment[de]=Schnell, leicht\n"
        "Exec=run --modes=a,b\n"));
    QCOMPARE(session.names.value(QString()), QStringLiteral("Plasma, Wayland"));
    QCOMPARE(session.comments.value(QStringLiteral("de")), QStringLiteral("Schnell, leicht"));
    QCOMPARE(session.exec, QStringLiteral("run --modes=a, b"));
}

void SessionReaderTest::damagedFilesGiveWhatCouldBeRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty file") << QByteArray() << QString() << QString();
    QTest::newRow("no group header") << QByteArray("Name=x\nExec=x\n") << QString() << QString();
    QTest::newRow("broken lines around good ones")
        << QByteArray("[Desktop Entry\n[Desktop Entry]\n=novalue\nNoEquals\nExec=good\n[[[\n") << QStringLiteral("good")
        << QString();
    QByteArray junk("[Desktop Entry]\nName=ok");
    junk += QByteArray("\xff\xfe\x00\x01\x80", 5);
    junk += "\n";
    for (int i = 0; i < 512; ++i)
        junk += char((i * 97 + 13) % 256);
    junk += "\nExec=after junk\n";
    QTest::newRow("binary junk and invalid UTF-8") << junk << QStringLiteral("after junk") << QString();
}

void SessionReaderTest::damagedFilesGiveWhatCouldBeRead()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, exec);
    const SessionDescription session
        = SessionReader::create(write(QStringLiteral("damaged-%1.desktop").arg(++m_files), content));
    QCOMPARE(session.type, QStringLiteral("damaged-%1").arg(m_files));
    QCOMPARE(session.exec, exec);
}

void SessionReaderTest::missingFileThrowsWithPath()
{
    const QString path = m_dir.filePath(QStringLiteral("absent.desktop"));
    try {
        SessionReader::create(path);
        QFAIL("no exception for a missing file");
    } catch (const DetailsException& error) {
        const auto* missing = dynamic_cast<const FileNotExistsException*>(&error);
        QVERIFY(missing);
        QCOMPARE(missing->path(), path);
        QVERIFY(error.fullDetails().contains(path));
    }
}

void SessionReaderTest::readDirsPicksDesktopFilesOnly()
{
    QTemporaryDir dir;
    const QByteArray entry("[Desktop Entry]\nName=n\n");
    TestFiles::write(dir.filePath(QStringLiteral("xfce.desktop")), entry);
    TestFiles::write(dir.filePath(QStringLiteral("gnome.wayland.desktop")), entry);
    TestFiles::write(dir.filePath(QStringLiteral("notes.txt")), entry);
    TestFiles::write(dir.filePath(QStringLiteral("xfce.desktop.bak")), entry);
    TestFiles::write(dir.filePath(QStringLiteral(".hidden.desktop")), entry);
    TestFiles::write(dir.filePath(QStringLiteral("desktop")), entry);
    QDir(dir.path()).mkdir(QStringLiteral("folder.desktop"));

    const QList<SessionDescription> sessions = SessionReader::readDirs(QStringList { dir.path() });
    QCOMPARE(sessions.size(), 1);
    QCOMPARE(sessions.first().type, QStringLiteral("xfce"));
}

void SessionReaderTest::readDirsKeepsDirectoryOrderAndDuplicates()
{
    QTemporaryDir first;
    QTemporaryDir second;
    TestFiles::write(first.filePath(QStringLiteral("plasma.desktop")), "[Desktop Entry]\nName=First\n");
    TestFiles::write(second.filePath(QStringLiteral("plasma.desktop")), "[Desktop Entry]\nName=Second\nHidden=true\n");
    const QString missing = first.filePath(QStringLiteral("no-such-dir"));

    const QList<SessionDescription> sessions
        = SessionReader::readDirs(QStringList { missing, first.path(), second.path() });
    QCOMPARE(sessions.size(), 2);
    QCOMPARE(sessions.at(0).names.value(QString()), QStringLiteral("First"));
    QCOMPARE(sessions.at(1).names.value(QString()), QStringLiteral("Second"));
    QVERIFY(sessions.at(1).hidden);

    QVERIFY(SessionReader::readDirs(QStringList()).isEmpty());
}

void SessionReaderTest::readDirsFromCStrings()
{
    QTemporaryDir parent;
    // A UTF-8 directory name must survive the trip through the C strings.
    const QString dir = parent.filePath(QStringLiteral("сессии"));
    TestFiles::write(dir + QStringLiteral("/i3.desktop"), "[Desktop Entry]\nName=i3\n");
    const QByteArray encoded = dir.toUtf8();
    const char* dirs[] = { encoded.constData(), nullptr };
    const QList<SessionDescription> sessions = SessionReader::readDirs(dirs);
    QCOMPARE(sessions.size(), 1);
    QCOMPARE(sessions.first(), SessionReader::readDirs(QStringList { dir }).first());

    const char* none[] = { nullptr };
    QVERIFY(SessionReader::readDirs(none).isEmpty());
    QVERIFY(SessionReader::readDirs(static_cast<const char**>(nullptr)).isEmpty());
}

QTEST_GUILESS_MAIN(SessionReaderTest)
#include "tst_sessionreader.moc"
