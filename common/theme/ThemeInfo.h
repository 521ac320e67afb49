// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "ThemeDescription.h"
#include "vestibule_common_export.h"

#include <QString>

/// A theme directory and its description file; the directory's last component is the theme's name.
class VESTIBULE_COMMON_EXPORT ThemeInfo
{
public:
    explicit ThemeInfo(const QString& path);
    virtual ~ThemeInfo();
    ThemeInfo(const ThemeInfo&) = default;
    ThemeInfo& operator=(const ThemeInfo&) = default;

    /// Reads "RezGreeterTheme.desktop"; throws FileNotExistsException when it is missing.
    void read();

    QString path() const;
    QString name() const;
    ThemeDescription description() const;
    /// True when the "Greeter" entry names a Designer form (its complete suffix is "ui").
    bool isUiTheme() const;

private:
    QString m_path;
    ThemeDescription m_description;
};
