// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// vestibule-lightdm-greeter: the toolkit's login screen as LightDM's greeter.
#include "GreeterOptions.h"
#include "LightDmGreeter.h"
#include "ScreenReaderLauncher.h"

#include <QApplication>
#include <QSocketNotifier>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <langinfo.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

int signalPipe[2] = { -1, -1 };

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

/**
 * LightDM may start the greeter in the C locale, or in one that is not installed; names and
 * texts need UTF-8 all the same. Only the character set changes: the language the user chose
 * still picks the translations.
 */
void ensureUtf8Locale()
{
    std::setlocale(LC_ALL, "");
    if (QByteArray(nl_langinfo(CODESET)) == "UTF-8")
        return;
    const QByteArray all = qgetenv("LC_ALL");
    if (!all.isEmpty()) {
        qputenv("LANG", all);
        qunsetenv("LC_ALL");
    }
    qputenv("LC_CTYPE", "C.UTF-8");
    std::setlocale(LC_ALL, "");
}

/// SIGTERM (LightDM ends the greeter once the session runs) and SIGINT quit the event loop cleanly.
void quitOnTermination(QCoreApplication& app)
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    ensureUtf8Locale();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    GreeterOptions options = GreeterOptions::parse(arguments);
    if (options.help) {
        std::printf("%s", qUtf8Printable(GreeterOptions::usage()));
        return 0;
    }
    options.readConfigFile();
    for (const QString& problem : qAsConst(options.problems))
        std::fprintf(stderr, "vestibule-lightdm-greeter: %s (ignored)\n", qUtf8Printable(problem));

    // A screen reader must be able to read the screen from its first frame on.
    ScreenReaderLauncher::enableAccessibility();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("vestibule-lightdm-greeter"));
    quitOnTermination(app);
    // Super+Alt+S starts the screen reader.
    ScreenReaderLauncher screenReader;
    LightDmGreeter greeter(options);
    greeter.start();
    return QApplication::exec();
}
