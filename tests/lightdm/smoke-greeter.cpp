// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A greeter with no window for run-lightdm-smoke: it logs in one user through
// liblightdm-qt5, answers every secret prompt with one password and asks for one
// session. Everything it sees goes to standard error, so that the daemon's greeter
// log tells what happened. Exits 0 once the daemon has accepted the session.
//
//   smoke-greeter [USER PASSWORD SESSION]
//
// Without arguments it takes the three from SMOKE_USER, SMOKE_PASSWORD and SMOKE_SESSION.
#include <QCoreApplication>
#include <QLightDM/Greeter>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 1 && argc != 4) {
        std::fprintf(stderr, "usage: smoke-greeter [USER PASSWORD SESSION]\n");
        return 2;
    }
    const auto given = [&](int index, const char* variable) {
        return argc == 4 ? QString::fromLocal8Bit(argv[index]) : qEnvironmentVariable(variable);
    };
    const QString user = given(1, "SMOKE_USER");
    const QString password = given(2, "SMOKE_PASSWORD");
    const QString session = given(3, "SMOKE_SESSION");

    QLightDM::Greeter greeter;
    QObject::connect(
        &greeter, &QLightDM::Greeter::showPrompt, [&](const QString& text, QLightDM::Greeter::PromptType type) {
            std::fprintf(stderr, "smoke-greeter: prompt %d \"%s\"\n", int(type), qPrintable(text));
            // A visible prompt would ask for something this greeter does not know; an empty answer
            // lets PAM fail it instead of waiting for the timeout.
            greeter.respond(type == QLightDM::Greeter::PromptTypeSecret ? password : QString());
        });
    QObject::connect(
        &greeter, &QLightDM::Greeter::showMessage, [](const QString& text, QLightDM::Greeter::MessageType type) {
            std::fprintf(stderr, "smoke-greeter: message %d \"%s\"\n", int(type), qPrintable(text));
        });
    QObject::connect(&greeter, &QLightDM::Greeter::authenticationComplete, [&] {
        std::fprintf(stderr, "smoke-greeter: authentication complete, authenticated=%d user=%s\n",
            int(greeter.isAuthenticated()), qPrintable(greeter.authenticationUser()));
        if (!greeter.isAuthenticated()) {
            app.exit(1);
            return;
        }
        const bool started = greeter.startSessionSync(session);
        std::fprintf(stderr, "smoke-greeter: start session %s: %s\n", qPrintable(session), started ? "ok" : "refused");
        app.exit(started ? 0 : 1);
    });

    if (!greeter.connectToDaemonSync()) {
        std::fprintf(stderr, "smoke-greeter: cannot connect to the daemon\n");
        return 1;
    }
    std::fprintf(
        stderr, "smoke-greeter: connected, default session hint \"%s\"\n", qPrintable(greeter.defaultSessionHint()));
    greeter.authenticate(user);
    // The daemon ends the greeter once the session runs; this only bounds a daemon that never answers.
    QTimer::singleShot(60000, &app, [&app] {
        std::fprintf(stderr, "smoke-greeter: no answer from the daemon within 60 s\n");
        app.exit(1);
    });
    return app.exec();
}
