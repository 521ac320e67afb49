// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

/**
 * What the greeter shows: the theme and plug-in from the command line, else from its
 * configuration file, else the default theme. A greeter that LightDM starts must come
 * up whatever it is given, so a mistake here is reported and the default used instead.
 */
struct GreeterOptions {
    QString themeDir;
    QString plugin;
    QString configFile; ///< empty: the installed one
    QSize geometry; ///< a window of this size instead of the whole screen (for trying a theme)
    bool help = false;
    QStringList problems; ///< what was wrong with the command line or the file, and ignored

    static GreeterOptions parse(const QStringList& arguments);
    /// Fills in the theme and plug-in from the configuration file where the command line left them open.
    void readConfigFile();
    static QString usage();
    /// The configuration file read when none is given.
    static QString defaultConfigFile();
};
