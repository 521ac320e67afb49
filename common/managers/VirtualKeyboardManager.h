// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "GroupedProcess.h"
#include "Manager.h"
#include "vestibule_common_export.h"

#include <QObject>
#include <QProcess>
#include <QString>

/**
 * Runs the on-screen keyboard program, one instance at a time, for as long as the manager
 * lives. Failures of the program come back as errorOccurred() with the process's own text.
 */
class VESTIBULE_COMMON_EXPORT VirtualKeyboardManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "virtualkeyboard"

    /**
     * @p command is split at spaces (no quoting): the first word is the program, the rest
     * its arguments. @p reserved is accepted for the host's sake and not used.
     */
    VirtualKeyboardManager(const QString& command, int reserved, QObject* parent = nullptr);
    /// Ends the keyboard program; it never outlives the manager.
    ~VirtualKeyboardManager() override;

    QString program() const;
    QStringList arguments() const;

Q_SIGNALS:
    /// The program failed to start or failed while running; @p text is the process's description.
    void errorOccurred(const QString& text);

public Q_SLOTS:
    /// (Re)starts the program; a start failure is reported later through errorOccurred().
    void open();
    /// Ends the program if it runs, without reporting the forced end as an error.
    void close();

private Q_SLOTS:
    void errorOccurredHandle(QProcess::ProcessError error);

private:
    GroupedProcess m_process;
};
