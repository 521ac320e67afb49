// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "AbstractPluginThemeLoader.h"

// The loader lives as the plug-in's root instance; Qt's plug-in system owns it, not a parent.
AbstractPluginThemeLoader::AbstractPluginThemeLoader(QObject* /*parent*/)
    : QObject(nullptr)
{
}

AbstractPluginThemeLoader::~AbstractPluginThemeLoader() = default;
