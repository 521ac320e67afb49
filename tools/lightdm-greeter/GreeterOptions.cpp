// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "GreeterOptions.h"

#include "IniValueCheck.h"
#include "SystemPaths.h"

#include <QFileInfo>
#include <QSettings>

GreeterOptions GreeterOptions::parse(const QStringList& arguments)
{
    GreeterOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else if (argument == QLatin1String("--theme") && hasValue) {
            options.themeDir = arguments.at(++i);
        } else if (argument == QLatin1String("--plugin") && hasValue) {
            options.plugin = arguments.at(++i);
        } else if (argument == QLatin1String("--config") && hasValue) {
            options.configFile = arguments.at(++i);
        } else if (argument == QLatin1String("--geometry") && hasValue) {
            const QStringList size = arguments.at(++i).split(QLatin1Char('x'));
            const int width = size.value(0).toInt();
            const int height = size.size() == 2 ? size.at(1).toInt() : 0;
            if (width > 0 && height > 0)
                options.geometry = QSize(width, height);
            else
                options.problems << QStringLiteral("--geometry wants WIDTHxHEIGHT, not '%1'").arg(arguments.at(i));
        } else {
            options.problems << QStringLiteral("unknown or incomplete option '%1'").arg(argument);
        }
    }
    return options;
}

void GreeterOptions::readConfigFile()
{
    const QString file = configFile.isEmpty() ? defaultConfigFile() : configFile;
    if (!QFileInfo::exists(file)) {
        if (!configFile.isEmpty())
            problems << QStringLiteral("the configuration file %1 does not exist").arg(file);
        return;
    }
    if (IniValueCheck::fileHoldsSerialisedObject(file)) {
        problems << QStringLiteral("the configuration file %1 holds values that are not text").arg(file);
        return;
    }
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        problems << QStringLiteral("the configuration file %1 cannot be read").arg(file);
        return;
    }
    settings.beginGroup(QStringLiteral("Greeter"));
    if (themeDir.isEmpty())
        themeDir = settings.value(QStringLiteral("theme")).toString();
    if (plugin.isEmpty())
        plugin = settings.value(QStringLiteral("plugin")).toString();
}

QString GreeterOptions::defaultConfigFile()
{
    return SystemPaths::resolve(QStringLiteral("/etc/lightdm/vestibule-greeter.conf"));
}

QString GreeterOptions::usage()
{
    return QStringLiteral("Usage: vestibule-lightdm-greeter [OPTION...]\n"
                          "The login screen of the vestibule toolkit, run by LightDM as its greeter.\n\n"
                          "  --theme DIR         the theme directory to show\n"
                          "  --plugin NAME       the theme plug-in (standard-theme, generic-theme or a file)\n"
                          "  --config FILE       read theme= and plugin= of the [Greeter] group from FILE\n"
                          "                      (default /etc/lightdm/vestibule-greeter.conf)\n"
                          "  --geometry WxH      a window of that size instead of the whole screen\n"
                          "  --help              this text\n\n"
                          "Without a theme the default theme of the plug-in is shown; a theme that cannot be\n"
                          "shown falls back to the default theme, then to a plain built-in form.\n");
}
