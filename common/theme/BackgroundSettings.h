// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QColor>
#include <QString>

/// The "blur" part of a theme's background settings; each value with its own presence flag.
struct VESTIBULE_COMMON_EXPORT BlurSettings {
    bool present = false;
    bool hasEnable = false;
    bool enable = false;
    bool hasRadius = false;
    double radius = 0.0;
};

/// The "logo" part of a theme's background settings.
struct VESTIBULE_COMMON_EXPORT LogoSettings {
    bool present = false;
    bool hasEnable = false;
    bool enable = false;
    bool hasPath = false;
    QString path;
};

/**
 * The "background" section of a theme's settings.yaml. Nothing is defaulted here: each
 * value says whether the file gave it, and the theme decides what an absent one means.
 */
struct VESTIBULE_COMMON_EXPORT BackgroundSettings {
    bool present = false;
    bool hasPath = false;
    QString path;
    bool hasKeepProportions = false;
    bool keepProportions = false;
    bool hasColorOverlay = false;
    QColor colorOverlay; ///< invalid when the list was not 3 or 4 values of 0 to 255
    BlurSettings blur;
    LogoSettings logo;
};
