// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// Renders the default wallpapers and logos from their SVG sources into PNG files while the
// tree builds, so that only the small sources are kept in version control.
//
//     vestibule-svgrender SOURCE.svg OUTPUT.png WIDTHxHEIGHT
//
// The picture covers the whole WIDTH × HEIGHT keeping its proportions (the excess is cut
// off evenly on both sides). A picture without any transparency is stored without an
// alpha channel, which makes the file smaller and quicker to load.
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

namespace
{

bool parseSize(const QString& text, QSize* size)
{
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("^([1-9][0-9]{0,4})x([1-9][0-9]{0,4})$")).match(text);
    if (!match.hasMatch())
        return false;
    *size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    return true;
}

/// Where to draw a picture of @p natural size so that it covers @p target, centred.
QRectF coverRect(const QSizeF& natural, const QSize& target)
{
    const QSizeF scaled = natural.scaled(target, Qt::KeepAspectRatioByExpanding);
    return QRectF(QPointF((target.width() - scaled.width()) / 2, (target.height() - scaled.height()) / 2), scaled);
}

} // namespace

int main(int argc, char** argv)
{
    QSize size;
    if (argc != 4 || !parseSize(QString::fromLocal8Bit(argv[3]), &size)) {
        std::fputs("usage: vestibule-svgrender SOURCE.svg OUTPUT.png WIDTHxHEIGHT\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "vestibule-svgrender: '%s' is not a valid SVG picture\n", argv[1]);
        return 1;
    }

    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, coverRect(renderer.viewBoxF().size(), size));
    }
    // Logos keep their transparency; wallpapers are opaque.
    bool opaque = true;
    for (int y = 0; y < canvas.height() && opaque; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width() && opaque; ++x)
            opaque = qAlpha(line[x]) == 255;
    }
    const QImage image = opaque ? canvas.convertToFormat(QImage::Format_RGB32) : canvas;

    // Written in one go so that an interrupted build never leaves half a picture behind.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "vestibule-svgrender: can't write '%s': %s\n", argv[2], qPrintable(file.errorString()));
        return 1;
    }
    QImageWriter writer(&file, "png");
    // 40 on Qt's scale of 0 to 100 is zlib's level 3: the files load as fast as at any other
    // level, are a quarter larger than at the default one and take half its time to write,
    // which keeps the build quick.
    writer.setCompression(40);
    if (!writer.write(image) || !file.commit()) {
        std::fprintf(stderr, "vestibule-svgrender: can't write '%s': %s\n", argv[2], qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
