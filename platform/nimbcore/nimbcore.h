// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <utility>

/**
 * Whether @p path exists: as a regular file when @p isFile is true (pictures), as a
 * directory when it is false.
 */
bool fileExists(const char* path, bool isFile);

/**
 * The aspect ratio of a screen as the names of wallpaper directories use it ("16:9").
 * Sizes close to a common ratio (4:3, 5:4, 3:2, 16:10, 16:9, 21:9, 32:9 and their portrait
 * forms) snap to it, so 1366×768 gives 16:9; other sizes give their reduced fraction.
 * A width or height of 0 or less gives {0, 0}.
 */
std::pair<int, int> wallpaperSizeRatio(int width, int height);

/**
 * Top-left corner for a logo of @p logoWidth × @p logoHeight inside the area at
 * (@p areaX, @p areaY) of @p areaWidth × @p areaHeight. Only "BottomRight" is known: the
 * logo keeps a margin from the right edge that grows with the screen (3 % of the shorter
 * side, at least 8 pixels), the same margin plus a tenth of the height from the bottom edge
 * (clear of a bar of controls there), and never leaves the area's top-left corner.
 * Returns false, leaving @p x and @p y alone, for an unknown position or null outputs.
 */
bool CalcLogoPosition(int logoWidth, int logoHeight, int areaX, int areaY, int areaWidth, int areaHeight,
    const char* position, int* x, int* y);
