// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ImageUtils.h"

#include <QBitmap>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace
{

int blurStrength(int radius)
{
    static const int strengths[17] = { 14, 10, 8, 6, 5, 5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2 };
    if (radius < 1)
        return 16;
    if (radius > 17)
        return 1;
    return strengths[radius - 1];
}

// One filter step. The division truncates toward zero, as the filter is defined. With the
// strength a compile-time constant the multiplication and division become shifts and adds,
// which the compiler vectorises with the baseline instruction set.
template<int Alpha>
inline int32_t step(int32_t accumulator, int32_t value)
{
    return accumulator + ((value * 16 - accumulator) * Alpha) / 16;
}

// The same step in unsigned 16-bit lanes, eight to a vector register instead of four, for
// the column passes. Accumulators stay within 0..4080 and |16 × value − accumulator| ×
// strength below 65536, so nothing overflows, and shifting the magnitude truncates toward
// zero exactly as the division in the definition does.
template<int Alpha>
inline uint16_t step16(uint16_t accumulator, uint16_t value)
{
    // One of the two saturating differences is zero; no branch, so the loops vectorise.
    const uint16_t target = uint16_t(value << 4);
    const uint16_t up = target > accumulator ? uint16_t(target - accumulator) : uint16_t(0);
    const uint16_t down = accumulator > target ? uint16_t(accumulator - target) : uint16_t(0);
    return uint16_t(accumulator + (uint16_t(up * Alpha) >> 4) - (uint16_t(down * Alpha) >> 4));
}

/**
 * A column pass over the bytes [@p begin, @p end) of every row from @p firstRow towards
 * @p lastRow. Walking row by row across all columns at once keeps memory access sequential
 * and lets the inner loop vectorise; the accumulators of all columns live in @p acc.
 */
template<int Alpha, int Stride>
void columnPass(
    uchar* bits, qsizetype bytesPerLine, int firstRow, int lastRow, int begin, int end, std::vector<uint16_t>& acc)
{
    const int direction = lastRow >= firstRow ? 1 : -1;
    const int count = (end - begin + Stride - 1) / Stride;
    acc.resize(count);
    uint16_t* __restrict a = acc.data();
    const uchar* first = bits + firstRow * bytesPerLine + begin;
    for (int i = 0; i < count; ++i)
        a[i] = uint16_t(first[i * Stride] << 4);
    for (int row = firstRow + direction; row != lastRow + direction; row += direction) {
        uchar* __restrict line = bits + row * bytesPerLine + begin;
        for (int i = 0; i < count; ++i) {
            const uint16_t next = step16<Alpha>(a[i], line[i * Stride]);
            a[i] = next;
            line[i * Stride] = uchar(next >> 4);
        }
    }
}

/**
 * A row pass over @p Rows lines at once: each line is one long dependency chain, so several
 * are interleaved to keep the processor busy; the channels of a pixel go side by side.
 */
template<int Alpha, bool AlphaOnly, int Rows>
void rowPass(uchar* const* lines, int firstColumn, int lastColumn)
{
    const int direction = lastColumn >= firstColumn ? 1 : -1;
    constexpr int first = AlphaOnly ? 3 : 0;
    int32_t a[Rows][4];
    for (int r = 0; r < Rows; ++r) {
        for (int c = first; c < 4; ++c)
            a[r][c] = int32_t(lines[r][firstColumn * 4 + c]) << 4;
    }
    for (int column = firstColumn + direction; column != lastColumn + direction; column += direction) {
        for (int r = 0; r < Rows; ++r) {
            uchar* pixel = lines[r] + column * 4;
            for (int c = first; c < 4; ++c) {
                a[r][c] = step<Alpha>(a[r][c], pixel[c]);
                pixel[c] = uchar(a[r][c] >> 4);
            }
        }
    }
}

#ifdef __SSE2__
/**
 * Row passes of eight lines at once with SSE2 (part of every x86-64 processor): two lines
 * share a register, one pixel of each in 16-bit lanes, and four registers give the
 * processor independent chains to work on while each waits for the previous pixel.
 */
template<int Alpha>
void rowPassEightLines(uchar* const* lines, int firstColumn, int lastColumn)
{
    const int direction = lastColumn >= firstColumn ? 1 : -1;
    const __m128i zero = _mm_setzero_si128();
    const __m128i strength = _mm_set1_epi16(Alpha);
    auto load = [&](int pair, int column) {
        const uchar* first = lines[2 * pair] + column * 4;
        const uchar* second = lines[2 * pair + 1] + column * 4;
        int32_t a;
        int32_t b;
        std::memcpy(&a, first, 4);
        std::memcpy(&b, second, 4);
        return _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(a), _mm_cvtsi32_si128(b)), zero);
    };
    __m128i acc[4];
    for (int pair = 0; pair < 4; ++pair)
        acc[pair] = _mm_slli_epi16(load(pair, firstColumn), 4);
    for (int column = firstColumn + direction; column != lastColumn + direction; column += direction) {
        for (int pair = 0; pair < 4; ++pair) {
            const __m128i target = _mm_slli_epi16(load(pair, column), 4);
            const __m128i up = _mm_subs_epu16(target, acc[pair]);
            const __m128i down = _mm_subs_epu16(acc[pair], target);
            acc[pair] = _mm_add_epi16(acc[pair], _mm_srli_epi16(_mm_mullo_epi16(up, strength), 4));
            acc[pair] = _mm_sub_epi16(acc[pair], _mm_srli_epi16(_mm_mullo_epi16(down, strength), 4));
            const __m128i bytes = _mm_packus_epi16(_mm_srli_epi16(acc[pair], 4), zero);
            const int32_t a = _mm_cvtsi128_si32(bytes);
            const int32_t b = _mm_cvtsi128_si32(_mm_srli_si128(bytes, 4));
            std::memcpy(lines[2 * pair] + column * 4, &a, 4);
            std::memcpy(lines[2 * pair + 1] + column * 4, &b, 4);
        }
    }
}
#endif

template<int Alpha, bool AlphaOnly>
void rowPasses(uchar* bits, qsizetype bytesPerLine, int r1, int r2, int firstColumn, int lastColumn)
{
    int row = r1;
#ifdef __SSE2__
    if constexpr (!AlphaOnly) {
        for (; row + 7 <= r2; row += 8) {
            uchar* lines[8];
            for (int r = 0; r < 8; ++r)
                lines[r] = bits + (row + r) * bytesPerLine;
            rowPassEightLines<Alpha>(lines, firstColumn, lastColumn);
        }
    }
#endif
    constexpr int group = 4;
    for (; row + group - 1 <= r2; row += group) {
        uchar* lines[group];
        for (int r = 0; r < group; ++r)
            lines[r] = bits + (row + r) * bytesPerLine;
        rowPass<Alpha, AlphaOnly, group>(lines, firstColumn, lastColumn);
    }
    for (; row <= r2; ++row) {
        uchar* line = bits + row * bytesPerLine;
        rowPass<Alpha, AlphaOnly, 1>(&line, firstColumn, lastColumn);
    }
}

template<int Alpha, bool AlphaOnly>
void blurRect(QImage& result, const QRect& area)
{
    uchar* bits = result.bits();
    const qsizetype bytesPerLine = result.bytesPerLine();
    const int r1 = area.top(), r2 = area.bottom(), c1 = area.left(), c2 = area.right();
    constexpr int stride = AlphaOnly ? 4 : 1;
    const int begin = c1 * 4 + (AlphaOnly ? 3 : 0);
    const int end = (c2 + 1) * 4;
    std::vector<uint16_t> acc;

    columnPass<Alpha, stride>(bits, bytesPerLine, r1, r2, begin, end, acc);
    rowPasses<Alpha, AlphaOnly>(bits, bytesPerLine, r1, r2, c1, c2);
    columnPass<Alpha, stride>(bits, bytesPerLine, r2, r1, begin, end, acc);
    rowPasses<Alpha, AlphaOnly>(bits, bytesPerLine, r1, r2, c2, c1);
}

template<bool AlphaOnly>
void blurWithStrength(QImage& result, const QRect& area, int alpha)
{
    switch (alpha) {
    case 1:
        return blurRect<1, AlphaOnly>(result, area);
    case 2:
        return blurRect<2, AlphaOnly>(result, area);
    case 3:
        return blurRect<3, AlphaOnly>(result, area);
    case 4:
        return blurRect<4, AlphaOnly>(result, area);
    case 5:
        return blurRect<5, AlphaOnly>(result, area);
    case 6:
        return blurRect<6, AlphaOnly>(result, area);
    case 8:
        return blurRect<8, AlphaOnly>(result, area);
    case 10:
        return blurRect<10, AlphaOnly>(result, area);
    case 14:
        return blurRect<14, AlphaOnly>(result, area);
    default:
        return blurRect<16, AlphaOnly>(result, area);
    }
}

} // namespace

QImage Utils::blurred(const QImage& image, const QRect& rect, int radius, bool alphaOnly)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect area = rect.intersected(result.rect());
    if (area.isEmpty())
        return result;

    const int alpha = blurStrength(radius);
    if (alphaOnly)
        blurWithStrength<true>(result, area, alpha);
    else
        blurWithStrength<false>(result, area, alpha);
    return result;
}

namespace
{

int roundHalfUp(double value)
{
    return static_cast<int>(std::floor(value + 0.5));
}

} // namespace

namespace
{

QPixmap makeCirclePixmap(const QIcon& icon, const QSize& size)
{
    const QList<QSize> available = icon.availableSizes(QIcon::Normal, QIcon::Off);
    const QSize source = available.isEmpty() ? size : available.first();

    // The picture must cover the target in both directions before the centre is cut out.
    QSize covering = source.scaled(size, Qt::KeepAspectRatio);
    if (covering.width() < size.width() && covering.width() > 0) {
        const double factor = double(size.width()) / covering.width();
        covering = QSize(roundHalfUp(covering.width() * factor), roundHalfUp(covering.height() * factor));
    } else if (covering.height() < size.height() && covering.height() > 0) {
        const double factor = double(size.height()) / covering.height();
        covering = QSize(roundHalfUp(covering.width() * factor), roundHalfUp(covering.height() * factor));
    }

    QImage scaled = icon.pixmap(covering, QIcon::Normal, QIcon::Off).toImage();
    if (scaled.isNull())
        return QPixmap();
    scaled = scaled.scaled(covering, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage picture = scaled.size() == size ? scaled
                                           : scaled.copy((scaled.width() - size.width()) / 2,
                                               (scaled.height() - size.height()) / 2, size.width(), size.height());
    picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    // A hard-edged disc, drawn as a one-bit mask and applied to the pixels directly (what
    // QPixmap::setMask does, without its round trips between pixmap and image).
    const int width = picture.width();
    const int height = picture.height();
    const int radius = std::min(width, height) / 2 - 5;
    QBitmap maskBitmap(width, height);
    maskBitmap.fill(Qt::color0);
    if (radius > 0) {
        QPainter painter(&maskBitmap);
        painter.setBrush(Qt::color1);
        painter.drawEllipse(width / 2 - radius, height / 2 - radius, 2 * radius, 2 * radius);
    }
    const QImage mask = maskBitmap.toImage().convertToFormat(QImage::Format_MonoLSB);
    const bool setBitIsOpaque = qGray(mask.color(1)) < qGray(mask.color(0));
    for (int y = 0; y < height; ++y) {
        const uchar* bits = mask.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool set = (bits[x >> 3] >> (x & 7)) & 1;
            if (set != setBitIsOpaque)
                line[x] = 0;
        }
    }
    return QPixmap::fromImage(picture);
}

} // namespace

QPixmap Utils::circlePixmapFromIcon(const QIcon& icon, const QSize& size)
{
    // Most users share the default face: a page of user cells asks for the same picture
    // again and again. Pictures are kept by icon and size in Qt's pixmap cache.
    const QString key
        = QStringLiteral("vestibule-circle-%1-%2x%3").arg(icon.cacheKey()).arg(size.width()).arg(size.height());
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    picture = makeCirclePixmap(icon, size);
    if (!picture.isNull())
        QPixmapCache::insert(key, picture);
    return picture;
}

QPixmap Utils::circlePixmapFromIconWithEmblem(const QIcon& icon, const QSize& size, const QIcon& emblem)
{
    QPixmap picture = circlePixmapFromIcon(icon, size);
    if (picture.isNull() || emblem.isNull())
        return picture;
    const int width = picture.width();
    const int height = picture.height();
    QPainter painter(&picture);
    painter.drawPixmap(width - 1 - width / 3, height - 1 - height / 3, emblem.pixmap(width / 3, height / 3));
    return picture;
}

QSize Utils::caclulateRealPaintDeviceSize(QPaintDevice* device)
{
    if (!device || device->physicalDpiX() <= 0 || device->physicalDpiY() <= 0)
        return QSize();
    const double width = std::trunc(96.0 / device->physicalDpiX() * 5.0 * device->width());
    const double height = std::trunc(96.0 / device->physicalDpiY() * 5.0 * device->height());
    return QSize(static_cast<int>(width), static_cast<int>(height));
}
