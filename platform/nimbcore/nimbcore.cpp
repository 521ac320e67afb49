// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "nimbcore.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include <sys/stat.h>

bool fileExists(const char* path, bool isFile)
{
    struct stat info;
    if (!path || ::stat(path, &info) != 0)
        return false;
    return isFile ? S_ISREG(info.st_mode) : S_ISDIR(info.st_mode);
}

std::pair<int, int> wallpaperSizeRatio(int width, int height)
{
    if (width <= 0 || height <= 0)
        return { 0, 0 };

    // Wallpaper packs ship one directory per common ratio; screens are rarely exact
    // (1366×768, 1360×768, 1280×1024 …), so the nearest common ratio wins when it is close.
    static const std::pair<int, int> common[]
        = { { 4, 3 }, { 5, 4 }, { 3, 2 }, { 16, 10 }, { 16, 9 }, { 21, 9 }, { 32, 9 } };
    const double ratio = double(width) / double(height);
    const bool portrait = height > width;
    std::pair<int, int> best { 0, 0 };
    double bestDistance = 0.0;
    for (const auto& candidate : common) {
        const std::pair<int, int> oriented = portrait ? std::make_pair(candidate.second, candidate.first) : candidate;
        const double distance = std::fabs(std::log(ratio * oriented.second / oriented.first));
        if (best.first == 0 || distance < bestDistance) {
            best = oriented;
            bestDistance = distance;
        }
    }
    constexpr double tolerance = 0.03; // about 3 %
    if (bestDistance <= tolerance)
        return best;

    const int divisor = std::gcd(width, height);
    return { width / divisor, height / divisor };
}

bool CalcLogoPosition(int logoWidth, int logoHeight, int areaX, int areaY, int areaWidth, int areaHeight,
    const char* position, int* x, int* y)
{
    if (!position || !x || !y || std::strcmp(position, "BottomRight") != 0)
        return false;
    const int margin = std::max(8, static_cast<int>(std::lround(std::min(areaWidth, areaHeight) * 0.03)));
    // Login screens keep their controls in a band along the bottom edge; the logo stays
    // clear of it, a tenth of the height above the usual margin.
    const int bottomMargin = margin + static_cast<int>(std::lround(areaHeight * 0.10));
    *x = std::max(areaX, areaX + areaWidth - logoWidth - margin);
    *y = std::max(areaY, areaY + areaHeight - logoHeight - bottomMargin);
    return true;
}
