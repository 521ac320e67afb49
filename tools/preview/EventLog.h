// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>
#include <QVariantMap>

/**
 * What passes between the theme and the simulated host, one JSON object a line on standard
 * output, so scripts and tests can follow a login. Secrets never pass through here: callers
 * hand over names, prompts and outcomes, never a password, PIN or PAM answer.
 */
class EventLog
{
public:
    /// Writes {"event": @p event, ...@p fields} and flushes.
    static void write(const QString& event, const QVariantMap& fields = QVariantMap());
    /// Sends the lines elsewhere (tests), or back to standard output with null.
    static void setSink(QString* sink);
};
