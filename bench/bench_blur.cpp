// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// Times the background blur at full HD and 4K against a straightforward version of the
// same filter, Qt's own full-resolution blur and a plain memory copy, and the whole
// background composition. Run it without arguments; it prints one table.
#include "BackgroundWidget.h"
#include "ImageUtils.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

// Exported by QtWidgets (used by QGraphicsBlurEffect); not in a public header.
Q_DECL_IMPORT void qt_blurImage(QImage& blurImage, qreal radius, bool quality, int transposed);

namespace
{

constexpr int repetitions = 7;
constexpr int radius = 5;

double medianMs(const std::function<void()>& work)
{
    return ::medianMs(work, repetitions);
}

/// The filter written plainly: each pass walks its lines one after another, pixel by pixel.
QImage straightforwardBlur(const QImage& source, int strength)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    auto pass = [&](uchar* start, qsizetype step, int count) {
        for (int channel = 0; channel < 4; ++channel) {
            uchar* p = start + channel;
            int acc = *p << 4;
            for (int i = 1; i < count; ++i) {
                p += step;
                acc += ((*p << 4) - acc) * strength / 16;
                *p = uchar(acc >> 4);
            }
        }
    };
    for (int x = 0; x < width; ++x)
        pass(bits + x * 4, stride, height);
    for (int y = 0; y < height; ++y)
        pass(bits + y * stride, 4, width);
    for (int x = 0; x < width; ++x)
        pass(bits + (height - 1) * stride + x * 4, -stride, height);
    for (int y = 0; y < height; ++y)
        pass(bits + y * stride + (width - 1) * 4, -4, width);
    return image;
}

QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = random.generate() | 0xff000000u;
    }
    return image;
}

void run(int width, int height)
{
    const QImage image = noise(width, height);
    const double blurred = medianMs([&] { Utils::blurred(image, image.rect(), radius, false); });
    const double plain = medianMs([&] { straightforwardBlur(image, 5); });
    const double qt = medianMs([&] {
        QImage copy = image;
        qt_blurImage(copy, radius, true, 0);
    });
    std::vector<uchar> target(image.sizeInBytes());
    const double copy = medianMs([&] { std::memcpy(target.data(), image.constBits(), image.sizeInBytes()); });

    BackgroundWidget widget;
    // An opaque picture, as wallpapers are.
    widget.setImage(QPixmap::fromImage(noise(1600, 900).convertToFormat(QImage::Format_RGB32)));
    QPixmap logo(400, 120);
    logo.fill(Qt::white);
    widget.setLogo(logo);
    widget.setColor(QColor(0, 0, 0, 100));
    widget.setBlurRadius(radius);
    widget.resize(width, height);
    const double compose = medianMs([&] { widget.updateCachedImage(); });

    const char* size = width == 1920 ? "1920x1080" : "3840x2160";
    std::printf("%s  Utils::blurred               %8.2f ms\n", size, blurred);
    std::printf("%s  straightforward passes       %8.2f ms  (blurred is %.2fx faster)\n", size, plain, plain / blurred);
    std::printf("%s  qt_blurImage, full res       %8.2f ms  (blurred is %.2fx faster)\n", size, qt, qt / blurred);
    std::printf("%s  memcpy of the image          %8.2f ms  (blurred = %.2f x four copies)\n", size, copy,
        blurred / (4 * copy));
    std::printf(
        "%s  updateCachedImage()          %8.2f ms  (%.2fx the blur alone)\n", size, compose, compose / blurred);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    std::printf("size       operation (radius %d)         median of %d runs\n", radius, repetitions);
    run(1920, 1080);
    run(3840, 2160);
    return 0;
}
