// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QImage>
#include <QRect>

/**
 * The exponential blur written down as plainly as possible, one pixel at a time and one
 * line after another, for comparison with the library's optimised version.
 */
inline QImage referenceBlur(const QImage& source, const QRect& rect, int radius, bool alphaOnly)
{
    static const int table[17] = { 14, 10, 8, 6, 5, 5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2 };
    const int alpha = radius < 1 ? 16 : radius > 17 ? 1 : table[radius - 1];
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect r = rect.intersected(image.rect());
    if (r.isEmpty())
        return image;
    const int firstChannel = alphaOnly ? 3 : 0;

    auto byteAt = [&image](int x, int y, int channel) -> uchar& { return image.scanLine(y)[x * 4 + channel]; };
    auto line = [&](int x0, int y0, int dx, int dy, int count) {
        for (int ch = firstChannel; ch < 4; ++ch) {
            int acc = byteAt(x0, y0, ch) * 16;
            for (int i = 1; i < count; ++i) {
                uchar& value = byteAt(x0 + i * dx, y0 + i * dy, ch);
                acc += ((value * 16 - acc) * alpha) / 16;
                value = uchar(acc >> 4);
            }
        }
    };
    for (int x = r.left(); x <= r.right(); ++x)
        line(x, r.top(), 0, 1, r.height());
    for (int y = r.top(); y <= r.bottom(); ++y)
        line(r.left(), y, 1, 0, r.width());
    for (int x = r.left(); x <= r.right(); ++x)
        line(x, r.bottom(), 0, -1, r.height());
    for (int y = r.top(); y <= r.bottom(); ++y)
        line(r.right(), y, -1, 0, r.width());
    return image;
}
