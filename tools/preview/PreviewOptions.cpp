// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PreviewOptions.h"

#include "PreviewStates.h"

#include <QRegularExpression>

#include <functional>
#include <map>

bool PreviewOptions::parse(const QStringList& arguments, PreviewOptions& options, QString* error)
{
    using Setter = std::function<bool(const QString&)>;
    const std::map<QString, Setter> valued {
        { QStringLiteral("--theme"),
            [&](const QString& v) {
                options.themeDir = v;
                return true;
            } },
        { QStringLiteral("--plugin"),
            [&](const QString& v) {
                options.plugin = v;
                return true;
            } },
        { QStringLiteral("--scenario"),
            [&](const QString& v) {
                options.scenarioFile = v;
                return true;
            } },
        { QStringLiteral("--lang"),
            [&](const QString& v) {
                options.language = v;
                return true;
            } },
        { QStringLiteral("--screenshot"),
            [&](const QString& v) {
                options.screenshotFile = v;
                return true;
            } },
        { QStringLiteral("--state"),
            [&](const QString& v) {
                options.state = v;
                return PreviewStates::names().contains(v);
            } },
        { QStringLiteral("--screenshot-all"),
            [&](const QString& v) {
                options.screenshotDir = v;
                return true;
            } },
        { QStringLiteral("--check"),
            [&](const QString& v) {
                options.checkDir = v;
                return true;
            } },
        { QStringLiteral("--sysroot"),
            [&](const QString& v) {
                options.sysroot = v;
                return true;
            } },
        { QStringLiteral("--scale"),
            [&](const QString& v) {
                bool ok = false;
                const double scale = v.toDouble(&ok);
                options.scale = v;
                return ok && scale >= 0.5 && scale <= 4.0;
            } },
        { QStringLiteral("--geometry"),
            [&](const QString& v) {
                const QRegularExpressionMatch match
                    = QRegularExpression(QStringLiteral("^(\\d{3,5})x(\\d{3,5})$")).match(v);
                if (!match.hasMatch())
                    return false;
                options.geometry = QSize(match.captured(1).toInt(), match.captured(2).toInt());
                return true;
            } },
    };
    const std::map<QString, bool*> flags {
        { QStringLiteral("--system"), &options.systemUsers },
        { QStringLiteral("--fullscreen"), &options.fullscreen },
        { QStringLiteral("--stay"), &options.stay },
        { QStringLiteral("--set-layouts"), &options.setLayouts },
        { QStringLiteral("--contrast"), &options.contrast },
        { QStringLiteral("--help"), &options.help },
        { QStringLiteral("-h"), &options.help },
    };

    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (const auto flag = flags.find(argument); flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        const auto setter = valued.find(argument);
        if (setter == valued.end()) {
            *error = QStringLiteral("unknown argument '%1'").arg(argument);
            return false;
        }
        if (i + 1 >= arguments.size()) {
            *error = QStringLiteral("%1 needs a value").arg(argument);
            return false;
        }
        const QString& value = arguments.at(++i);
        if (!setter->second(value)) {
            *error = argument == QLatin1String("--state")
                ? QStringLiteral("unknown state '%1'; the states are: %2")
                      .arg(value, PreviewStates::names().join(QStringLiteral(", ")))
                : QStringLiteral("%1 cannot be '%2'").arg(argument, value);
            return false;
        }
    }
    if (!options.screenshotFile.isEmpty() && options.state.isEmpty())
        options.state = QStringLiteral("user-info");
    return true;
}

QString PreviewOptions::usage()
{
    return QStringLiteral(
        "Usage: vestibule-preview [options]\n"
        "Shows the real login screen of a theme, driven by a scenario instead of a display manager.\n"
        "Every request and answer is printed on standard output as one JSON line.\n\n"
        "  --theme DIR            theme directory (default: the installed default theme)\n"
        "  --plugin NAME|PATH     standard-theme, generic-theme or a plug-in file (default: the theme's)\n"
        "  --scenario FILE        accounts and machine to simulate (default: the built-in demo)\n"
        "  --system               the machine's own users and session files, read-only\n"
        "  --geometry WxH         window size (default 1280x800)\n"
        "  --scale N              device pixels per pixel (QT_SCALE_FACTOR)\n"
        "  --fullscreen           full screen instead of a window\n"
        "  --lang LOCALE          language of the screen, for example ru_RU.UTF-8\n"
        "  --stay                 after a login, show the screen again instead of ending\n"
        "  --set-layouts          set the scenario's keyboard layouts on the X server (changes it!)\n"
        "  --sysroot DIR          read the system files from DIR instead of a private root\n"
        "  --screenshot FILE      write the screen in --state NAME to FILE (PNG) and end\n"
        "  --state NAME           one of: %1\n"
        "  --screenshot-all DIR   write every state to DIR/<state>.png\n"
        "  --contrast             with a screenshot: print the contrast ratio of every text\n"
        "  --check DIR            check a theme directory, list every problem, end with 1 if any\n")
        .arg(PreviewStates::names().join(QStringLiteral(", ")));
}

QStringList PreviewOptions::screenArguments() const
{
    QStringList arguments;
    const auto add = [&arguments](const char* option, const QString& value) {
        if (!value.isEmpty())
            arguments << QString::fromLatin1(option) << value;
    };
    add("--theme", themeDir);
    add("--plugin", plugin);
    add("--scenario", scenarioFile);
    add("--lang", language);
    add("--scale", scale);
    add("--sysroot", sysroot);
    arguments << QStringLiteral("--geometry") << QStringLiteral("%1x%2").arg(geometry.width()).arg(geometry.height());
    if (systemUsers)
        arguments << QStringLiteral("--system");
    if (contrast)
        arguments << QStringLiteral("--contrast");
    return arguments;
}
