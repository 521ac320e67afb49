// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QMap>
#include <QMetaType>
#include <QString>

/**
 * One kind of desktop session, as read from its desktop-entry file by SessionReader.
 * The session type (the file's base name) is the key under which every other part
 * of the greeter and the host refer to it.
 */
struct VESTIBULE_COMMON_EXPORT SessionDescription {
    QString type; ///< file name up to its first "."
    QMap<QString, QString> names; ///< "" holds the plain Name, other keys are locale codes
    QMap<QString, QString> comments; ///< keyed like names, from Comment
    bool hidden = false;
    QString exec;
    QString tryExec;
    QString icon;
    QString alias; ///< display alias; never read from the file, the theme fills it

    bool operator==(const SessionDescription& other) const;
    bool operator!=(const SessionDescription& other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(SessionDescription)
