// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AbstractPluginThemeLoader.h"
#include "BaseThemeWidget.h"

/**
 * A theme widget that remembers what setup() received in dynamic properties, so tests can
 * read it without knowing this class. A SystemInfo language of "throw" makes setup() fail.
 */
class FixtureThemeWidget : public BaseThemeWidget
{
    Q_OBJECT
public:
    void setup(const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo) override;
};

class FixtureThemeLoader : public AbstractPluginThemeLoader
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID AbstractPluginThemeLoader_iid FILE "fixturetheme.json")
    Q_INTERFACES(AbstractPluginThemeLoader)
public:
    BaseThemeWidget* createThemeWidget() override;
};
