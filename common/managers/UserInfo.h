// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "PasswdLine.h"
#include "vestibule_common_export.h"

#include <QList>
#include <QStringList>

#include <cstdint>

/// Reads the system user database: one account, all of them, or a display-manager style selection.
class VESTIBULE_COMMON_EXPORT UserInfo
{
public:
    /// Which accounts a login screen offers.
    struct Filter {
        bool showAll = false; ///< every account in the uid range but the hidden ones; else only the selected
        uint32_t minUid = 0;
        uint32_t maxUid = 0;
        QStringList selectedUsers; ///< names, and groups written "@group"
        QStringList hiddenUsers; ///< same form; only with showAll
        bool showRoot = false; ///< uid 0 may appear outside the uid range
        bool sortUsers = false; ///< sort by login name
    };

    /// The account called @p name, or an invalid (empty) line.
    static PasswdLine getUser(const QString& name);
    /// Every account in the database's own order.
    static QList<PasswdLine> getUserList();
    /// The accounts that pass @p filter.
    static QList<PasswdLine> getUserList(const Filter& filter);
};
