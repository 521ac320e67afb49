// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "BlurReference.h"
#include "ImageUtils.h"

#include <QRandomGenerator>
#include <QTest>

namespace
{

QImage randomImage(int width, int height, quint32 seed, QImage::Format format = QImage::Format_ARGB32)
{
    QRandomGenerator random(seed);
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = random.generate();
    }
    return image;
}

/// The first differing pixel, for a readable failure.
QString firstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return QStringLiteral("size or format differ");
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("pixel %1,%2: %3 != %4")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixel(x, y), 8, 16)
                    .arg(b.pixel(x, y), 8, 16);
        }
    }
    return QString();
}

} // namespace

class BlurTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matchesTheReference_data();
    void matchesTheReference();
    void emptyRectangleLeavesTheConvertedImage();
    void strengthSixteenKeepsEveryPixel();
    void rectangleOutsideTheImageIsClipped();
    void uniformImageStaysUniform();
};

void BlurTest::matchesTheReference_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("radius");
    QTest::addColumn<bool>("alphaOnly");

    for (int radius = 0; radius <= 18; ++radius) {
        QTest::addRow("whole 37x23, radius %d", radius) << QSize(37, 23) << QRect(0, 0, 37, 23) << radius << false;
        QTest::addRow("alpha only 37x23, radius %d", radius) << QSize(37, 23) << QRect(0, 0, 37, 23) << radius << true;
    }
    QTest::newRow("negative radius") << QSize(16, 16) << QRect(0, 0, 16, 16) << -3 << false;
    QTest::newRow("huge radius") << QSize(16, 16) << QRect(0, 0, 16, 16) << 1000 << false;
    QTest::newRow("sub-rectangle") << QSize(64, 48) << QRect(5, 7, 33, 21) << 5 << false;
    QTest::newRow("sub-rectangle alpha only") << QSize(64, 48) << QRect(5, 7, 33, 21) << 3 << true;
    QTest::newRow("one column") << QSize(20, 30) << QRect(4, 0, 1, 30) << 2 << false;
    QTest::newRow("one row") << QSize(20, 30) << QRect(0, 9, 20, 1) << 2 << false;
    QTest::newRow("one pixel") << QSize(20, 30) << QRect(3, 3, 1, 1) << 1 << false;
    QTest::newRow("odd width 1") << QSize(1, 57) << QRect(0, 0, 1, 57) << 17 << false;
    QTest::newRow("wide and flat") << QSize(1021, 3) << QRect(0, 0, 1021, 3) << 6 << false;
    QTest::newRow("large odd") << QSize(333, 211) << QRect(0, 0, 333, 211) << 5 << false;
}

void BlurTest::matchesTheReference()
{
    QFETCH(QSize, size);
    QFETCH(QRect, rect);
    QFETCH(int, radius);
    QFETCH(bool, alphaOnly);
    const QImage source = randomImage(size.width(), size.height(), quint32(size.width() * 131 + radius));
    const QImage expected = referenceBlur(source, rect, radius, alphaOnly);
    const QImage actual = Utils::blurred(source, rect, radius, alphaOnly);
    QCOMPARE(actual.format(), QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(firstDifference(actual, expected), QString());
}

void BlurTest::emptyRectangleLeavesTheConvertedImage()
{
    const QImage source = randomImage(10, 10, 7);
    const QImage converted = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(Utils::blurred(source, QRect(2, 2, 0, 5), 5, false), converted);
    QCOMPARE(Utils::blurred(source, QRect(2, 2, 5, 0), 5, false), converted);
    QCOMPARE(Utils::blurred(source, QRect(), 5, false), converted);
    QCOMPARE(Utils::blurred(QImage(), QRect(0, 0, 4, 4), 5, false), QImage());
}

void BlurTest::strengthSixteenKeepsEveryPixel()
{
    const QImage source = randomImage(31, 17, 3, QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(Utils::blurred(source, source.rect(), 0, false), source);
}

void BlurTest::rectangleOutsideTheImageIsClipped()
{
    const QImage source = randomImage(20, 20, 11);
    QCOMPARE(firstDifference(Utils::blurred(source, QRect(-5, 10, 40, 40), 4, false),
                 referenceBlur(source, QRect(0, 10, 20, 10), 4, false)),
        QString());
    const QImage converted = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(Utils::blurred(source, QRect(100, 100, 5, 5), 4, false), converted);
}

void BlurTest::uniformImageStaysUniform()
{
    QImage source(50, 40, QImage::Format_ARGB32_Premultiplied);
    source.fill(qRgba(40, 80, 120, 255));
    QCOMPARE(Utils::blurred(source, source.rect(), 9, false), source);
}

QTEST_GUILESS_MAIN(BlurTest)
#include "tst_blur.moc"
