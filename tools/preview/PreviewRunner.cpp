// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PreviewRunner.h"

#include "CatalogueInstaller.h"
#include "ContrastMeter.h"
#include "EventLog.h"
#include "Exceptions.h"
#include "PreviewHost.h"
#include "PreviewRoot.h"
#include "PreviewStates.h"
#include "Scenario.h"
#include "SimulatedBackend.h"
#include "ThemeChecker.h"
#include "ToolkitPaths.h"
#include "Utils.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace
{

// Long enough for the backend's answers, the page changes and the first paint of each state.
constexpr int driveAfterMs = 300;
constexpr int settleMs = 1600;

void say(const QString& text)
{
    std::fprintf(stderr, "vestibule-preview: %s\n", qUtf8Printable(text));
}

/// The theme and plug-in to show: as given, else each found from the other, else the defaults.
void completeThemeAndPlugin(PreviewConfig& config, const PreviewOptions& options)
{
    QString pluginName = options.plugin;
    config.themeDir = options.themeDir;
    if (config.themeDir.isEmpty())
        config.themeDir
            = ToolkitPaths::defaultTheme(pluginName.isEmpty() ? QStringLiteral("standard-theme") : pluginName);
    if (pluginName.isEmpty()) {
        try {
            pluginName = ToolkitPaths::pluginOfTheme(config.themeDir);
        } catch (const DetailsException&) {
            // The creator reports the missing description below.
        }
        if (pluginName.isEmpty())
            pluginName = QStringLiteral("standard-theme");
    }
    config.plugin = ToolkitPaths::plugin(pluginName);
}

/// Runs setxkbmap for the scenario's layouts; only on request, since it changes the X server for everyone.
void setLayouts(const QStringList& layouts)
{
    if (layouts.isEmpty())
        return;
    const int status = QProcess::execute(QStringLiteral("setxkbmap"),
        { QStringLiteral("-layout"), layouts.join(QLatin1Char(',')), QStringLiteral("-option"),
            QStringLiteral("grp:alt_shift_toggle") });
    if (status != 0)
        say(QStringLiteral("setxkbmap could not set the layouts %1").arg(layouts.join(QLatin1Char(','))));
}

/// One JSON line per text on the screen: its contrast against what is behind it.
void reportContrast(PreviewHost& host, const QString& state)
{
    for (const ContrastMeter::Reading& reading : ContrastMeter::measure(host)) {
        EventLog::write(QStringLiteral("contrast"),
            { { QStringLiteral("state"), state }, { QStringLiteral("widget"), reading.widget },
                { QStringLiteral("text"), reading.text },
                { QStringLiteral("ratio"), qRound(reading.ratio * 100) / 100.0 },
                { QStringLiteral("large"), reading.large },
                { QStringLiteral("passes"), ContrastMeter::passes(reading) },
                { QStringLiteral("foreground"), reading.foreground.name() },
                { QStringLiteral("background"), reading.background.name() } });
    }
}

} // namespace

PreviewRunner::PreviewRunner(const PreviewOptions& options)
    : m_options(options)
{
}

void PreviewRunner::prepareEnvironment(const PreviewOptions& options)
{
    if (!options.scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", options.scale.toUtf8());
    if (!options.language.isEmpty()) {
        qputenv("LANG", options.language.toUtf8());
        qputenv("LC_ALL", options.language.toUtf8());
        qunsetenv("LANGUAGE");
    }
}

int PreviewRunner::run()
{
    if (!m_options.checkDir.isEmpty())
        return check();
    if (!m_options.screenshotDir.isEmpty())
        return screenshotAll();
    return show();
}

int PreviewRunner::check() const
{
    const QStringList problems = ThemeChecker::check(m_options.checkDir);
    for (const QString& problem : problems)
        std::printf("%s\n", qUtf8Printable(problem));
    if (problems.isEmpty())
        std::printf("%s: no problems found\n", qUtf8Printable(m_options.checkDir));
    std::fflush(stdout);
    return problems.isEmpty() ? 0 : 1;
}

int PreviewRunner::screenshotAll() const
{
    // Each state in a preview of its own: a state may leave dialogs and conversations open
    // that the next one must not meet.
    if (!QDir().mkpath(m_options.screenshotDir)) {
        say(QStringLiteral("cannot create '%1'").arg(m_options.screenshotDir));
        return 1;
    }
    int status = 0;
    for (const QString& state : PreviewStates::names()) {
        const QString file = QDir(m_options.screenshotDir).absoluteFilePath(state + QStringLiteral(".png"));
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (!m_options.contrast)
            child.setStandardOutputFile(QProcess::nullDevice());
        child.start(QCoreApplication::applicationFilePath(),
            m_options.screenArguments()
                + QStringList { QStringLiteral("--screenshot"), file, QStringLiteral("--state"), state });
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            say(QStringLiteral("the state %1 could not be photographed").arg(state));
            child.kill();
            child.waitForFinished();
            status = child.exitCode() == 2 ? 2 : std::max(status, 1);
            continue;
        }
        // The measurements of each state come after its picture.
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (line.startsWith("{\"event\":\"contrast\""))
                std::printf("%s\n", line.constData());
        }
        std::printf("%s\n", qUtf8Printable(file));
        std::fflush(stdout);
    }
    return status;
}

int PreviewRunner::show()
{
    Scenario scenario;
    try {
        scenario = m_options.scenarioFile.isEmpty() ? Scenario::demo() : Scenario::load(m_options.scenarioFile);
    } catch (const ScenarioError& error) {
        say(error.text());
        return 2;
    }

    PreviewConfig config;
    completeThemeAndPlugin(config, m_options);
    config.language = m_options.language.isEmpty() ? Utils::shortSystemLocale() : m_options.language.left(2);
    config.geometry = m_options.geometry;
    config.fullscreen = m_options.fullscreen;
    config.systemUsers = m_options.systemUsers;
    config.stay = m_options.stay;

    const PreviewStates::State state = PreviewStates::state(m_options.state);
    if (state.prepare)
        state.prepare(scenario, config);

    std::unique_ptr<PreviewRoot> root = m_options.sysroot.isEmpty() ? std::make_unique<PreviewRoot>(scenario)
                                                                    : std::make_unique<PreviewRoot>(m_options.sysroot);
    if (!root->isValid()) {
        say(QStringLiteral("the private system root cannot be made: %1").arg(root->errorString()));
        return 2;
    }
    config.prevUserFile = root->filePath(QStringLiteral("/var/lib/nimb-dm/prev-user.ini"));
    // The library installed its catalogue from the machine's directory when the application
    // started; the preview's root has the toolkit's own, which may not be installed yet.
    CatalogueInstaller::install(QStringLiteral("libvestibule_common"));
    if (m_options.setLayouts)
        setLayouts(scenario.layouts);

    PreviewHost host(scenario, config);
    int status = 0;
    QObject::connect(&host, &PreviewHost::finished, qApp, [&status](int code) {
        status = code;
        QCoreApplication::exit(code);
    });

    if (!m_options.screenshotFile.isEmpty()) {
        QTimer::singleShot(driveAfterMs, &host, [&host, state, &scenario] {
            if (host.widget())
                state.drive(host, scenario);
        });
        QTimer::singleShot(driveAfterMs + settleMs, &host, [this, &host, &status] {
            if (!host.widget())
                return;
            host.backend()->stop();
            const QImage image = PreviewStates::capture(host);
            if (!image.save(m_options.screenshotFile, "PNG")) {
                say(QStringLiteral("cannot write '%1'").arg(m_options.screenshotFile));
                status = 1;
            }
            if (m_options.contrast)
                reportContrast(host, m_options.state);
            QCoreApplication::exit(status);
        });
    }

    QTimer::singleShot(0, &host, [&host, &status] {
        try {
            host.start();
        } catch (const DetailsException& error) {
            say(error.fullDetails());
            status = 2;
            QCoreApplication::exit(2);
        }
    });
    QApplication::exec();
    return status;
}
