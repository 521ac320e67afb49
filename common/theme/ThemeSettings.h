// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "BackgroundSettings.h"
#include "vestibule_common_export.h"

#include <QMap>
#include <QString>

#include <memory>

namespace YAML
{
class Node;
}

/**
 * A theme's settings.yaml: session-menu renamings per language and the background.
 * Failures are yaml-cpp's own exceptions (all std::exception), passed to the caller.
 */
class VESTIBULE_COMMON_EXPORT ThemeSettings
{
public:
    ThemeSettings();
    virtual ~ThemeSettings();
    ThemeSettings(const ThemeSettings&) = delete;
    ThemeSettings& operator=(const ThemeSettings&) = delete;

    /// Parses @p path and replaces the document; on an error the previous document stays.
    void load(const QString& path);
    /// Session type → text to show for @p language (later entries win).
    QMap<QString, QString> sessionAliases(const QString& language) const;
    BackgroundSettings background() const;

private:
    std::unique_ptr<YAML::Node> m_root;
};
