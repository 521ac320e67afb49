// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AbstractPluginThemeLoader.h"

/**
 * The root object of a theme plug-in: Qt creates one on the first request and keeps it for
 * the life of the process. Each plug-in builds this file against its own ThemeWidget.
 */
class PluginThemeLoader : public AbstractPluginThemeLoader
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID AbstractPluginThemeLoader_iid)
    Q_INTERFACES(AbstractPluginThemeLoader)
public:
    /// A new, unparented theme widget for the host.
    BaseThemeWidget* createThemeWidget() override;
};
