// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

/// The preview's command line.
struct PreviewOptions {
    QString themeDir;
    QString plugin;
    QString scenarioFile;
    bool systemUsers = false;
    QSize geometry { 1280, 800 };
    QString scale;
    bool fullscreen = false;
    QString language;
    bool stay = false;
    QString screenshotFile;
    QString state;
    QString screenshotDir;
    QString checkDir;
    QString sysroot;
    bool setLayouts = false;
    bool contrast = false; ///< with a screenshot: the contrast of every text, as JSON lines
    bool help = false;

    /// Reads @p arguments (without the program name); false with @p error set when they are wrong.
    static bool parse(const QStringList& arguments, PreviewOptions& options, QString* error);
    static QString usage();
    /// The arguments that give a child preview the same screen (for one state of --screenshot-all).
    QStringList screenArguments() const;
};
