// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// Times what the first frame of the login screen spends on the default wallpaper: loading
// the file as the theme does (a QPixmap made from the path, which renders an SVG at its own
// size) and scaling it to the screen as the background does. The candidates are the ratio
// directory's SVG at two intrinsic sizes, PNG files of that ratio rendered at the same two
// sizes, and a PNG of the screen's exact size, the PNG files made by the build's own
// renderer. Run it without arguments; it prints one table.
#include "BenchTiming.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QPixmapCache>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace
{

constexpr int repetitions = 11;

const QString sourcesDir = QStringLiteral(WALLPAPER_SOURCES_DIR);
const QString ratioSource = sourcesDir + QStringLiteral("/nimb-default-16x9.svg");

/// The build's renderer run on the 16:9 source; exits on failure, since every figure needs it.
QString render(const QTemporaryDir& dir, const QSize& size)
{
    const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    const QString output = dir.filePath(sizeText + QStringLiteral(".png"));
    QProcess renderer;
    renderer.setProcessChannelMode(QProcess::ForwardedChannels);
    renderer.start(QStringLiteral(SVGRENDER_PROGRAM), { ratioSource, output, sizeText });
    if (!renderer.waitForFinished(60000) || renderer.exitStatus() != QProcess::NormalExit || renderer.exitCode() != 0)
        qFatal("bench_wallpaper: the renderer failed for %s", qPrintable(sizeText));
    return output;
}

/// The 16:9 source with the intrinsic size @p size (the picture itself is the same).
QString resizedSvg(const QTemporaryDir& dir, const QSize& size)
{
    QFile source(ratioSource);
    if (!source.open(QIODevice::ReadOnly))
        qFatal("bench_wallpaper: can't read %s", qPrintable(ratioSource));
    QByteArray svg = source.readAll();
    // Only the root element's size: the view box and everything drawn in it stay.
    const QByteArray intrinsic = R"(width="1920" height="1080")";
    const int at = svg.indexOf(intrinsic, svg.indexOf("<svg"));
    if (at < 0)
        qFatal("bench_wallpaper: %s is not drawn at 1920x1080", qPrintable(ratioSource));
    svg.replace(at, intrinsic.size(),
        QStringLiteral(R"(width="%1" height="%2")").arg(size.width()).arg(size.height()).toUtf8());
    const QString path = dir.filePath(QStringLiteral("resized.svg"));
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(svg) != svg.size())
        qFatal("bench_wallpaper: can't write %s", qPrintable(path));
    return path;
}

void measure(const QSize& screen, const char* label, const QString& path, bool print = true)
{
    // QPixmap keeps what it loaded from a path in the pixmap cache; a login screen starts
    // with an empty one, so every run starts with an empty one too.
    const auto load = [&] {
        QPixmapCache::clear();
        return QPixmap(path);
    };
    const QPixmap loaded = load();
    if (loaded.isNull())
        qFatal("bench_wallpaper: can't load %s", qPrintable(path));
    const auto scale = [&](const QPixmap& picture) {
        return picture.scaled(screen, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    };
    const double loading = medianMs([&] { load(); }, repetitions);
    const double scaling = medianMs([&] { scale(loaded); }, repetitions);
    const double both = medianMs([&] { scale(load()); }, repetitions);
    if (!print)
        return;
    std::printf("%4dx%-4d  %-24s %5lld KB  %8.2f ms  %8.2f ms  %8.2f ms\n", screen.width(), screen.height(), label,
        QFileInfo(path).size() / 1024, loading, scaling, both);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("bench_wallpaper: no temporary directory");

    const QString smallSvg = resizedSvg(dir, QSize(1280, 720));
    const QString ratioPng = render(dir, QSize(1920, 1080));
    const QString smallRatioPng = render(dir, QSize(1280, 720));
    // The first pictures loaded pay for the image plug-ins and painter caches.
    for (const QString& path : { ratioSource, smallSvg, ratioPng })
        measure(QSize(1920, 1080), "", path, false);

    std::printf("screen     candidate                  file        load      scale  load+scale   (median of %d)\n",
        repetitions);
    for (const QSize screen : { QSize(1366, 768), QSize(1920, 1080), QSize(3840, 2160) }) {
        measure(screen, "16:9 SVG at 1920x1080", ratioSource);
        measure(screen, "16:9 SVG at 1280x720", smallSvg);
        measure(screen, "16:9 PNG at 1920x1080", ratioPng);
        measure(screen, "16:9 PNG at 1280x720", smallRatioPng);
        measure(screen, "PNG of the screen's size", render(dir, screen));
    }
    return 0;
}
