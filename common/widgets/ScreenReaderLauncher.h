// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QObject>
#include <QString>

class QProcess;

/**
 * The screen reader for the login screen, which nobody can skip: Super+Alt+S anywhere in
 * the greeter starts it (orca by default), and a line on standard error says so when it
 * is not installed. A host calls enableAccessibility() before it creates the application
 * object and keeps one launcher for the process's life after; the reader it started ends
 * with the launcher.
 */
class VESTIBULE_COMMON_EXPORT ScreenReaderLauncher : public QObject
{
    Q_OBJECT
public:
    /**
     * Switches Qt's accessibility on for the process (unless the environment already says
     * otherwise), so the bridge to the accessibility bus works as soon as the bus is there,
     * whether or not a reader has announced itself yet.
     */
    static void enableAccessibility();

    /// Watches the keyboard of the whole application for the key; @p program is looked up in PATH.
    explicit ScreenReaderLauncher(QObject* parent = nullptr, const QString& program = QStringLiteral("orca"));
    ~ScreenReaderLauncher() override;

    /// Starts the reader unless it runs already; false when it cannot be started.
    bool start();
    bool isRunning() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    void started();

private:
    QString m_program;
    QProcess* m_process = nullptr;
};
