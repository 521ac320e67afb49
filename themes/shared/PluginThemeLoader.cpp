// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PluginThemeLoader.h"

#include "ThemeWidget.h"

BaseThemeWidget* PluginThemeLoader::createThemeWidget()
{
    return new ThemeWidget();
}
