// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QImage>
#include <QStringList>

#include <functional>

class PreviewHost;
struct PreviewConfig;
struct Scenario;

/**
 * The named states of the login screen that the preview can show and photograph: each
 * prepares the scenario before the screen is built, then drives the screen there the way
 * a user would.
 */
class PreviewStates
{
public:
    struct State {
        QString name;
        std::function<void(Scenario&, PreviewConfig&)> prepare;
        std::function<void(PreviewHost&, const Scenario&)> drive;
    };

    static QStringList names();
    /// The state called @p name; a state without a name when there is none.
    static State state(const QString& name);
    /**
     * What the screen shows now: the theme widget with every dialog and menu open over it,
     * at the widget's size in device pixels.
     */
    static QImage capture(PreviewHost& host);
};
