// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QImage>
#include <QRect>

namespace Utils {

/**
 * Exponential blur of the part @p rect of @p image, on 8-bit channels of the premultiplied
 * ARGB32 form: a column pass down, a row pass right, a column pass up and a row pass left,
 * each a recursive filter whose strength follows from @p radius (16, i.e. none, below 1;
 * 1, the strongest, above 17). With @p alphaOnly only the alpha byte is blurred.
 * Returns the converted image; an empty @p rect leaves it unchanged.
 */
VESTIBULE_COMMON_EXPORT QImage blurred(const QImage& image, const QRect& rect, int radius, bool alphaOnly);

} // namespace Utils
