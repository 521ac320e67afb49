// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QList>
#include <QMetaType>
#include <QString>

/**
 * One running display session as the host reports it in
 * ConnectionManager::updateDisplaySessions. The leading texts and flags are the host's
 * own data; the greeter reads only vt, detail, caption and current.
 */
struct VESTIBULE_COMMON_EXPORT DpyDescription {
    QString display; ///< host data: the X display name
    QString from; ///< host data: where the display comes from (remote host or empty)
    QString user; ///< host data: who is logged in there
    QString session; ///< host data: the session type running there
    int vt = 0; ///< virtual terminal of the session; 0 means it cannot be switched to
    int flags = 0; ///< host data
    QString detail;
    QString caption;
    bool current = false; ///< the session in which this greeter runs

    bool operator==(const DpyDescription& other) const;
    bool operator!=(const DpyDescription& other) const { return !(*this == other); }
};

using DpyDescriptions = QList<DpyDescription>;

Q_DECLARE_METATYPE(DpyDescription)
