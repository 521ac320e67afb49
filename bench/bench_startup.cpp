// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// Cold start of a login screen host to its first painted frame, and its peak RSS, next to a
// bare Qt Widgets program that loads a 100-widget Designer form with QUiLoader and shows it
// full screen. Both are started and watched from outside on the X server of DISPLAY (see
// FirstFrameWatcher); their runs alternate, so that a load that comes and goes on the machine
// weighs on both alike.
//
//   bench_startup [--runs N] [--timeout S] [--settle MS] [--no-warm-up] [program [arguments...]]
//
// Without a program it measures this build tree's vestibule-preview --fullscreen when that has
// been built. The page cache is warm for every counted run ("cold" is a new process, not a
// cold disk): the first run of each program only fills it.
#include "startup/FirstFrameWatcher.h"
#include "startup/StartedProgram.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

struct Program {
    QString label;
    QStringList command;
    std::vector<StartupRun> runs;
    int failed = 0;
};

struct Spread {
    double median = 0, min = 0, max = 0;
};

Spread spread(const std::vector<StartupRun>& runs, double StartupRun::*figure)
{
    std::vector<double> values;
    for (const StartupRun& run : runs)
        values.push_back(run.*figure);
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    const double median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return { median, values.front(), values.back() };
}

/// @p program as the path execv() takes, or an empty string when it names nothing runnable.
QString executable(const QString& program)
{
    const QString path = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

int positiveOption(const QCommandLineParser& parser, const QCommandLineOption& option, int minimum)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < minimum) {
        std::fprintf(stderr, "bench_startup: --%s takes a whole number of at least %d, not \"%s\"\n",
            qPrintable(option.names().first()), minimum, qPrintable(parser.value(option)));
        std::exit(1);
    }
    return value;
}

void printRun(const Program& program, const StartupRun& run, const char* when)
{
    if (run.ok)
        std::printf("  %-8s %-22s mapped %7.1f ms  first frame %7.1f ms  peak RSS %6.1f MiB\n", when,
            qPrintable(program.label), run.mappedMs, run.firstFrameMs, run.peakRssMiB);
    else
        std::printf("  %-8s %-22s FAILED: %s\n", when, qPrintable(program.label), qPrintable(run.failure));
    std::fflush(stdout);
}

void printRatio(const char* what, double preview, double bare)
{
    const double ratio = preview / bare;
    std::printf(
        "  %-12s %5.2fx the bare program's (goal at most 2x: %s)\n", what, ratio, ratio <= 2 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Times a program from its start to its first painted frame and reads its peak RSS, next to a bare "
        "Qt Widgets program that shows a 100-widget Designer form full screen, on the X server of DISPLAY."));
    parser.addHelpOption();
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Measured runs of each program."),
        QStringLiteral("n"), QStringLiteral("10"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
        QStringLiteral("Seconds a program has to map and paint its window before the run fails."),
        QStringLiteral("seconds"), QStringLiteral("20"));
    const QCommandLineOption settleOption(QStringLiteral("settle"),
        QStringLiteral("Milliseconds a program runs after its first frame before its peak RSS is read."),
        QStringLiteral("ms"), QStringLiteral("300"));
    const QCommandLineOption noWarmUpOption(QStringLiteral("no-warm-up"),
        QStringLiteral("Count the first run of each program too (by default it only fills the page cache)."));
    parser.addOptions({ runsOption, timeoutOption, settleOption, noWarmUpOption });
    parser.addPositionalArgument(QStringLiteral("program"),
        QStringLiteral("The program to measure and its arguments; by default this build's "
                       "vestibule-preview --fullscreen when it has been built."),
        QStringLiteral("[program [arguments...]]"));
    parser.process(app);
    const int runs = positiveOption(parser, runsOption, 1);
    StartupLimits limits;
    limits.timeoutMs = positiveOption(parser, timeoutOption, 1) * 1000;
    limits.settleMs = positiveOption(parser, settleOption, 0);

    std::vector<Program> programs { { QStringLiteral("bare form"), { QStringLiteral(BARE_FORM_PROGRAM) }, {}, 0 } };
    QStringList command = parser.positionalArguments();
    if (command.isEmpty() && QFileInfo(QStringLiteral(PREVIEW_PROGRAM)).isExecutable())
        command = QStringList { QStringLiteral(PREVIEW_PROGRAM), QStringLiteral("--fullscreen") };
    if (!command.isEmpty()) {
        const QString path = executable(command.first());
        if (path.isEmpty()) {
            std::fprintf(stderr, "bench_startup: %s is not a program that can be run\n", qPrintable(command.first()));
            return 1;
        }
        const QString label = QFileInfo(path).fileName();
        command.first() = path;
        programs.push_back({ label, command, {}, 0 });
    }

    QString error;
    const std::unique_ptr<FirstFrameWatcher> watcher = FirstFrameWatcher::connect(&error);
    if (!watcher) {
        std::fprintf(stderr, "bench_startup: %s\n", qPrintable(error));
        return 1;
    }
    StartedProgram::installCleanup();

    const QSize screen = watcher->screenSize();
    std::printf("Start to first painted frame on %s (%dx%d); runs of each program in turn: %d%s\n",
        qPrintable(watcher->displayName()), screen.width(), screen.height(), runs,
        parser.isSet(noWarmUpOption) ? "" : ", after one warm-up run each");
    for (const Program& program : programs)
        std::printf("  %-22s %s\n", qPrintable(program.label), qPrintable(program.command.join(QLatin1Char(' '))));
    if (programs.size() == 1)
        std::printf("  (no program to compare: %s is not built and none was given)\n", PREVIEW_PROGRAM);

    if (!parser.isSet(noWarmUpOption))
        for (Program& program : programs)
            printRun(program, watcher->measure(program.command, limits), "warm-up");
    for (int i = 1; i <= runs; ++i) {
        for (Program& program : programs) {
            const StartupRun run = watcher->measure(program.command, limits);
            printRun(program, run, qPrintable(QStringLiteral("run %1").arg(i)));
            if (run.ok)
                program.runs.push_back(run);
            else
                ++program.failed;
        }
    }

    std::printf("\n%-22s %26s  %8s  %26s\n", "", "first frame ms", "mapped", "peak RSS MiB");
    std::printf("%-22s %8s %8s %8s  %8s  %8s %8s %8s  %s\n", "program", "median", "min", "max", "median", "median",
        "min", "max", "window, failed runs");
    bool allMeasured = true;
    for (const Program& program : programs) {
        if (program.runs.empty()) {
            std::printf("%-22s no run succeeded (%d failed)\n", qPrintable(program.label), runs);
            allMeasured = false;
            continue;
        }
        const Spread frame = spread(program.runs, &StartupRun::firstFrameMs);
        const Spread mapped = spread(program.runs, &StartupRun::mappedMs);
        const Spread rss = spread(program.runs, &StartupRun::peakRssMiB);
        const QSize window = program.runs.back().window;
        std::printf("%-22s %8.1f %8.1f %8.1f  %8.1f  %8.1f %8.1f %8.1f  %dx%d%s, %d\n", qPrintable(program.label),
            frame.median, frame.min, frame.max, mapped.median, rss.median, rss.min, rss.max, window.width(),
            window.height(), window == screen ? "" : " (not the screen's size)", program.failed);
    }
    if (programs.size() == 2 && allMeasured) {
        std::printf("\n%s against the bare program, medians:\n", qPrintable(programs[1].label));
        printRatio("first frame", spread(programs[1].runs, &StartupRun::firstFrameMs).median,
            spread(programs[0].runs, &StartupRun::firstFrameMs).median);
        printRatio("peak RSS", spread(programs[1].runs, &StartupRun::peakRssMiB).median,
            spread(programs[0].runs, &StartupRun::peakRssMiB).median);
        for (const Program& program : programs)
            if (program.runs.back().window != screen)
                std::printf("  (%s painted its first frame at %dx%d, not over the whole screen: the goals are not "
                            "measured)\n",
                    qPrintable(program.label), program.runs.back().window.width(), program.runs.back().window.height());
    }
    return allMeasured ? 0 : 1;
}
