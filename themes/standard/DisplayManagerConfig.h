// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "DomainSettings.h"

#include <QString>
#include <QStringList>

class QSettings;

/**
 * The keys of the display manager's configuration file that the standard theme reads.
 * A missing file or key gives the defaults. The greeting and the password-less users are
 * read through KConfig, exactly as the display manager writes them; the domain keys
 * through QSettings.
 */
class DisplayManagerConfig
{
public:
    explicit DisplayManagerConfig(const QString& path);

    /// "GreetString" of "X-*-Greeter", raw.
    QString greetString() const;
    /// "Domains" (split at ":"), "Separator" and "IsPrefixDomain" of "X-*-Greeter".
    DomainSettings domainSettings() const;
    /**
     * The users of "NoPassUsers" in "X-:*-Core" (split at ","), or none when "NoPassEnable"
     * does not contain "true".
     */
    QStringList passwordlessUsers() const;

private:
    static void readDomainSettings(QSettings& settings, DomainSettings& domains);

    QString m_path;
};
