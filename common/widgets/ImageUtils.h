// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>

class QPaintDevice;

namespace Utils
{

/**
 * Exponential blur of the part @p rect of @p image, on 8-bit channels of the premultiplied
 * ARGB32 form: a column pass down, a row pass right, a column pass up and a row pass left,
 * each a recursive filter whose strength follows from @p radius (16, i.e. none, below 1;
 * 1, the strongest, above 17). With @p alphaOnly only the alpha byte is blurred.
 * Returns the converted image; an empty @p rect leaves it unchanged.
 */
VESTIBULE_COMMON_EXPORT QImage blurred(const QImage& image, const QRect& rect, int radius, bool alphaOnly);

/**
 * A round user picture of exactly @p size: the icon scaled to cover the size, its centre
 * cut out and masked with a hard-edged disc that leaves a 5-pixel transparent margin.
 */
VESTIBULE_COMMON_EXPORT QPixmap circlePixmapFromIcon(const QIcon& icon, const QSize& size);

/// The round picture with @p emblem, a third of its size, over the bottom-right corner.
VESTIBULE_COMMON_EXPORT QPixmap circlePixmapFromIconWithEmblem(
    const QIcon& icon, const QSize& size, const QIcon& emblem);

/**
 * The size at which pictures for a label are rendered: five times its size on a 96-DPI
 * screen, scaled by the screen's physical resolution, so the label (which scales its
 * contents) stays sharp on dense screens.
 */
VESTIBULE_COMMON_EXPORT QSize caclulateRealPaintDeviceSize(QPaintDevice* device);

} // namespace Utils
