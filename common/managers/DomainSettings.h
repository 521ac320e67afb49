// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>
#include <QStringList>

/// The domain part of the display manager's configuration, as DomainManager takes it.
struct DomainSettings {
    QStringList domains; ///< configured domain names, in the order to offer them
    QString separator = QStringLiteral("@"); ///< put between user name and domain, also when empty
    bool isPrefixDomain = false; ///< true: domain, separator, user name; false: user name, separator, domain
};
