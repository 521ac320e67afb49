// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "HostSetup.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class BaseThemeWidget;
class FallbackLoginForm;
class GreeterManagers;
class HostBackend;
class QWidget;

/// Which theme a host shows, and how.
struct HostConfig {
    QString themeDir; ///< the theme directory to show
    QString plugin; ///< the plug-in file, or a name for the library to resolve
    /// Tried in order when the theme cannot be built (directory, plug-in); after them the built-in form.
    QList<QPair<QString, QString>> fallbackThemes;
    bool builtInFallback = false; ///< with no theme left, show the plain built-in form instead of failing
    QString language; ///< the language of theme translations and session names ("ru")
    QSize geometry { 1280, 800 };
    bool fullscreen = false;
    QString prevUserFile; ///< where the previous user is kept
    QString windowTitle;
};

/**
 * The greeter host around a theme: the keyboard, the users and their faces, the sessions,
 * all eight managers in their registry, the theme built by the library's creator, its
 * messages shown as message boxes, and a backend answering every request. Hosts differ
 * only in where the setup comes from and in the backend. The theme widget is deleted
 * before the backend, and both before the registry.
 */
class GreeterHost : public QObject
{
    Q_OBJECT
public:
    using BackendFactory = std::function<std::unique_ptr<HostBackend>(GreeterManagers*)>;

    GreeterHost(const HostConfig& config, QObject* parent = nullptr);
    ~GreeterHost() override;

    /**
     * Builds the screen from @p setup with the backend @p makeBackend makes for its
     * registry, shows it and runs the theme's start (the auto-login countdown). Throws what
     * the library throws when no theme can be built and there is no built-in fallback.
     */
    void start(const HostSetup& setup, const BackendFactory& makeBackend);
    /// Removes the screen, the backend and the registry, in that order.
    void tearDown();

    /// The theme's widget; null before start() and while the built-in form shows.
    BaseThemeWidget* widget() const;
    /// The window on the screen: the theme's widget or the built-in form.
    QWidget* window() const;
    GreeterManagers* managers() const;
    HostBackend* backend() const;

Q_SIGNALS:
    /// The backend started a session for @p user.
    void sessionStarted(const QString& user, const QString& session);
    /// The theme asks for a message box ("error" or "warning"); sent before the box shows.
    void themeMessage(const QString& kind, const QString& message);

private:
    void buildManagers(const HostSetup& setup);
    /// The first theme that builds, of the configured one and its fallbacks; null if none does.
    BaseThemeWidget* buildTheme();
    BaseThemeWidget* createTheme(const QString& themeDir, const QString& plugin) const;
    void connectMessages(BaseThemeWidget* widget);
    void show(QWidget* window);

    HostConfig m_config;
    std::unique_ptr<GreeterManagers> m_managers;
    std::unique_ptr<HostBackend> m_backend;
    std::unique_ptr<BaseThemeWidget> m_widget;
    std::unique_ptr<FallbackLoginForm> m_fallback;
};
