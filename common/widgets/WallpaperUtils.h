// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QString>

#include <string>

namespace Utils
{

/**
 * The system's default wallpaper for a screen of @p width × @p height: "nimb-default.png"
 * in the directory of that size under the greeter's wallpaper directory, else in the
 * directory of the screen's ratio, else "nimb-default.svg" there. Each miss is reported on
 * standard error; nothing found gives an empty path. *@p flag (when given) is set to true.
 * @p dir takes no part in the lookup.
 */
VESTIBULE_COMMON_EXPORT std::string FindNimbWallPaper(int width, int height, bool* flag, const QString& dir);

/**
 * The best logo file for a screen @p width pixels wide: "<base>_<size>_<color>.png",
 * "<base>_<size>.png", "<base>_<color>.png", or "<base>.png" (returned even when missing),
 * the size tag being 800, 1280, 1920 or 2048.
 */
VESTIBULE_COMMON_EXPORT std::string NimbDefaultLogoPath(std::string base, int width, int height, std::string color);

} // namespace Utils
