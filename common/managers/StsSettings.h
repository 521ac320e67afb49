// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "UserStsData.h"
#include "vestibule_common_export.h"

#include <QString>

#include <memory>

class QSettings;

/**
 * The previous-user store: one value in the group "PrevUser" of an INI file, written as
 * "name", or "name<separator>domain" when there is a domain. The file stays open for the
 * object's life and every save reaches the disk at once.
 */
class VESTIBULE_COMMON_EXPORT StsSettings
{
public:
    StsSettings(const QString& fileName, const QString& key, const QString& separator);
    virtual ~StsSettings();
    StsSettings(const StsSettings&) = delete;
    StsSettings& operator=(const StsSettings&) = delete;

    /// The stored record, split at the first "@"; empty when nothing is stored.
    UserStsData getPrevUserData() const;
    /// Stores @p data and writes the file; a failure to write is reported on standard error.
    void savePrevUserData(const UserStsData& data);

private:
    std::unique_ptr<QSettings> m_settings;
    QString m_key;
    QString m_separator;
};
