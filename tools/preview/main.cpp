// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// vestibule-preview: the real login screen without a display manager.
#include "PreviewOptions.h"
#include "PreviewRunner.h"
#include "ScreenReaderLauncher.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    PreviewOptions options;
    QString error;
    if (!PreviewOptions::parse(arguments, options, &error)) {
        std::fprintf(
            stderr, "vestibule-preview: %s\n\n%s", qUtf8Printable(error), qUtf8Printable(PreviewOptions::usage()));
        return 2;
    }
    if (options.help) {
        std::printf("%s", qUtf8Printable(PreviewOptions::usage()));
        return 0;
    }

    // Scale and language must be known before the application object exists.
    PreviewRunner::prepareEnvironment(options);
    // A screen reader must be able to read the screen from its first frame on.
    ScreenReaderLauncher::enableAccessibility();
    // Qt reads options of its own from the command line ("-plugin" among them); ours are
    // not for it.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    Q_INIT_RESOURCE(preview);
    // Super+Alt+S starts the screen reader, as on the real login screen.
    ScreenReaderLauncher screenReader;
    return PreviewRunner(options).run();
}
