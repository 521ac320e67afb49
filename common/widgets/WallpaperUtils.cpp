// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "WallpaperUtils.h"

#include "SystemPaths.h"
#include "nimbcore.h"

#include <QFile>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

std::string Utils::FindNimbWallPaper(int width, int height, bool* flag, const QString& /*dir*/)
{
    if (flag)
        *flag = true;

    const std::string root = QFile::encodeName(SystemPaths::nimbDmWallpapersDir()).toStdString();
    if (!fileExists(root.c_str(), false)) {
        if (::mkdir(root.c_str(), 0700) != 0)
            std::fprintf(stderr, "nimb-qdm: failed to create dir '%s'\n", root.c_str());
        ::sync();
    }

    const auto [ratioWidth, ratioHeight] = wallpaperSizeRatio(width, height);

    const std::string bySize
        = root + "/" + std::to_string(width) + "x" + std::to_string(height) + "/" + "nimb-default" + ".png";
    if (fileExists(bySize.c_str(), true))
        return bySize;
    std::fprintf(stderr,
        "nimb-qdm: Can't find default wallpaper '%s' for screen %dx%d, attempt to look for other size\n",
        bySize.c_str(), width, height);

    const std::string ratioDir = root + "/" + std::to_string(ratioWidth) + ":" + std::to_string(ratioHeight) + "/";
    for (const char* suffix : { ".png", ".svg" }) {
        const std::string byRatio = ratioDir + "nimb-default" + suffix;
        if (fileExists(byRatio.c_str(), true))
            return byRatio;
        std::fprintf(stderr, "nimb-qdm: Can't find default wallpaper '%s' for ratio %d:%d\n", byRatio.c_str(),
            ratioWidth, ratioHeight);
    }
    return std::string();
}

std::string Utils::NimbDefaultLogoPath(std::string base, int width, int /*height*/, std::string color)
{
    const char* tag = width <= 800 ? "800" : width <= 1280 ? "1280" : width > 1920 ? "2048" : "1920";
    const std::string candidates[] = {
        base + "_" + tag + "_" + color + ".png",
        base + "_" + tag + ".png",
        base + "_" + color + ".png",
    };
    for (const std::string& candidate : candidates) {
        struct stat info;
        if (::stat(candidate.c_str(), &info) == 0)
            return candidate;
    }
    return base + ".png";
}
