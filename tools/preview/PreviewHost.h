// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "Scenario.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

class BaseThemeWidget;
class GreeterManagers;
class SimulatedBackend;

/// How the host shows the screen.
struct PreviewConfig {
    QString themeDir; ///< the theme directory to show
    QString plugin; ///< the plug-in file, or a name for the library to resolve
    QString language; ///< the language of theme translations and session names ("ru")
    QSize geometry { 1280, 800 };
    bool fullscreen = false;
    bool systemUsers = false; ///< the machine's accounts and session files instead of the scenario's
    bool stay = false; ///< after a login, show a fresh screen instead of ending
    QString prevUserFile; ///< where the previous user is kept
};

/**
 * The greeter host around a theme, as a display manager would run it: the keyboard, the
 * users and their faces, the sessions, all eight managers in their registry, the theme
 * built by the library's creator, its messages shown as message boxes, and the simulated
 * backend answering every request. The theme widget is deleted before the registry.
 */
class PreviewHost : public QObject
{
    Q_OBJECT
public:
    PreviewHost(const Scenario& scenario, const PreviewConfig& config, QObject* parent = nullptr);
    ~PreviewHost() override;

    /**
     * Builds the screen, shows it and runs the theme's start (the auto-login countdown).
     * Throws what the library throws when the theme cannot be built.
     */
    void start();

    BaseThemeWidget* widget() const;
    GreeterManagers* managers() const;
    SimulatedBackend* backend() const;

Q_SIGNALS:
    /// The preview has done its job (a login went through) and may end with @p exitCode.
    void finished(int exitCode);

private:
    void build();
    void tearDown();
    void onSessionStarted();

    Scenario m_scenario;
    PreviewConfig m_config;
    std::unique_ptr<GreeterManagers> m_managers;
    std::unique_ptr<SimulatedBackend> m_backend;
    std::unique_ptr<BaseThemeWidget> m_widget;
};
