// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "FuzzSupport.h"

#include "SystemPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport
{

namespace
{

QTemporaryDir& directory()
{
    // Lives until the static destructors run, which libFuzzer's normal exit does.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vestibule-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "fuzz: cannot create a temporary directory: %s\n", qPrintable(dir.errorString()));
        std::abort();
    }
    return dir;
}

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

QString root()
{
    static const QString path = [] {
        const QString dir = directory().path();
        SystemPaths::setRoot(dir);
        return dir;
    }();
    return path;
}

QString path(const QString& absolutePath)
{
    return root() + absolutePath;
}

void writeFile(const QString& filePath, const uint8_t* data, size_t size)
{
    writeFile(filePath, QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
}

void writeFile(const QString& filePath, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s: %s\n", qPrintable(filePath), qPrintable(file.errorString()));
        std::abort();
    }
}

QString uniquePath(const QString& dir, const QString& stem, const QString& suffix)
{
    static quint64 counter = 0;
    QDir().mkpath(dir);
    return QStringLiteral("%1/%2-%3.%4").arg(dir, stem).arg(++counter).arg(suffix);
}

void silenceQtMessages()
{
    qInstallMessageHandler(dropMessage);
}

void startGuiApplication(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
}

void prepareEnvironment()
{
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    qunsetenv("LANGUAGE");
    // KConfig adds the user's and the system's kdeglobals to every file it reads: both
    // come from the private root instead.
    qputenv("HOME", QFile::encodeName(path(QStringLiteral("/home/fuzz"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(QStringLiteral("/home/fuzz/.config"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(path(QStringLiteral("/etc/xdg"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("/home/fuzz/.local/share"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(path(QStringLiteral("/usr/share"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path(QStringLiteral("/run/user"))));
    QDir().mkpath(path(QStringLiteral("/run/user")));
    QFile::setPermissions(path(QStringLiteral("/run/user")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void prepareGreeterProcess(int* argc, char*** argv)
{
    prepareEnvironment();
    silenceQtMessages();
    startGuiApplication(argc, argv);
}

QString writeInput(
    const QString& absoluteDir, const QString& stem, const QString& suffix, const uint8_t* data, size_t size)
{
    const QString file = uniquePath(path(absoluteDir), stem, suffix);
    writeFile(file, data, size);
    return file;
}

} // namespace FuzzSupport
