// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "BackgroundWidget.h"
#include "BlurReference.h"

#include <QPainter>
#include <QTest>

namespace
{

QPixmap solid(int width, int height, const QColor& colour)
{
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

/// Left half one colour, right half another.
QPixmap halves(int width, int height, const QColor& left, const QColor& right)
{
    QPixmap pixmap(width, height);
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, width / 2, height, left);
    painter.fillRect(width / 2, 0, width - width / 2, height, right);
    return pixmap;
}

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

bool near(const QColor& a, const QColor& b, int tolerance = 1)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance && qAbs(a.alpha() - b.alpha()) <= tolerance;
}

} // namespace

class BackgroundWidgetTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void neverResizedPaintsNothing();
    void emptyCanvasIsOpaqueDark();
    void pictureIsStretched();
    void translucentPictureShowsTheCanvas();
    void keepProportionsCropsTheExcess();
    void logoIsReducedToFit();
    void smallLogoIsNeverEnlarged();
    void overlayBlendsItsAlpha_data();
    void overlayBlendsItsAlpha();
    void blurCoversLogoAndOverlay();
    void settersDoNotRecompose();
    void paintsTheCachedImage();
};

void BackgroundWidgetTest::neverResizedPaintsNothing()
{
    BackgroundWidget widget;
    widget.setImage(solid(4, 4, Qt::red));
    QVERIFY(widget.cachedImage().isNull());
}

void BackgroundWidgetTest::emptyCanvasIsOpaqueDark()
{
    BackgroundWidget widget;
    widget.resize(64, 32);
    widget.updateCachedImage();
    const QImage image = widget.cachedImage();
    QCOMPARE(image.size(), QSize(64, 32));
    for (const QPoint& point : { QPoint(0, 0), QPoint(63, 31), QPoint(30, 15) }) {
        const QColor colour = at(image, point.x(), point.y());
        QCOMPARE(colour.alpha(), 255);
        QVERIFY(colour.lightness() < 64);
    }
}

void BackgroundWidgetTest::pictureIsStretched()
{
    BackgroundWidget widget;
    widget.setImage(halves(10, 10, Qt::red, Qt::blue));
    widget.resize(100, 50);
    widget.updateCachedImage();
    const QImage image = widget.cachedImage();
    QCOMPARE(at(image, 10, 25), QColor(Qt::red));
    QCOMPARE(at(image, 90, 25), QColor(Qt::blue));
    QCOMPARE(at(image, 99, 49), QColor(Qt::blue));
}

void BackgroundWidgetTest::translucentPictureShowsTheCanvas()
{
    QPixmap clear(8, 8);
    clear.fill(Qt::transparent);
    BackgroundWidget widget;
    widget.setImage(clear);
    widget.resize(40, 20);
    widget.updateCachedImage();
    const QColor colour = at(widget.cachedImage(), 20, 10);
    QCOMPARE(colour.alpha(), 255);
    QVERIFY(colour.lightness() < 64);
}

void BackgroundWidgetTest::keepProportionsCropsTheExcess()
{
    BackgroundWidget widget;
    widget.setImage(halves(200, 100, Qt::red, Qt::blue));
    widget.setKeepProportions(true);
    widget.resize(100, 100);
    widget.updateCachedImage();
    // Scaled to 200×100 to cover the square; the right half falls outside.
    const QImage image = widget.cachedImage();
    QCOMPARE(at(image, 5, 50), QColor(Qt::red));
    QCOMPARE(at(image, 95, 50), QColor(Qt::red));
}

void BackgroundWidgetTest::logoIsReducedToFit()
{
    BackgroundWidget widget;
    widget.setImage(solid(4, 4, Qt::white));
    widget.setLogo(solid(400, 100, Qt::green));
    widget.resize(200, 600);
    widget.updateCachedImage();
    const QImage image = widget.cachedImage();
    // 200×50 at the bottom, 8 + 60 pixels above the edge.
    QCOMPARE(at(image, 0, 482), QColor(Qt::green));
    QCOMPARE(at(image, 199, 531), QColor(Qt::green));
    QCOMPARE(at(image, 100, 481), QColor(Qt::white));
    QCOMPARE(at(image, 100, 532), QColor(Qt::white));
}

void BackgroundWidgetTest::smallLogoIsNeverEnlarged()
{
    BackgroundWidget widget;
    widget.setImage(solid(4, 4, Qt::white));
    widget.setLogo(solid(10, 10, Qt::green));
    widget.resize(400, 200);
    widget.updateCachedImage();
    const QImage image = widget.cachedImage();
    // The margin is 3 % of the shorter side, at least 8: here 8, and 20 more below.
    QCOMPARE(at(image, 382, 162), QColor(Qt::green));
    QCOMPARE(at(image, 391, 171), QColor(Qt::green));
    QCOMPARE(at(image, 381, 162), QColor(Qt::white));
    QCOMPARE(at(image, 392, 171), QColor(Qt::white));
}

void BackgroundWidgetTest::overlayBlendsItsAlpha_data()
{
    QTest::addColumn<QColor>("overlay");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("half red over white") << QColor(255, 0, 0, 128) << QColor(255, 127, 127);
    QTest::newRow("opaque black") << QColor(0, 0, 0, 255) << QColor(0, 0, 0);
    QTest::newRow("fully transparent changes nothing") << QColor(0, 0, 255, 0) << QColor(255, 255, 255);
    QTest::newRow("invalid draws nothing") << QColor() << QColor(255, 255, 255);
}

void BackgroundWidgetTest::overlayBlendsItsAlpha()
{
    QFETCH(QColor, overlay);
    QFETCH(QColor, expected);
    BackgroundWidget widget;
    widget.setImage(solid(4, 4, Qt::white));
    widget.setColor(overlay);
    widget.resize(30, 20);
    widget.updateCachedImage();
    const QImage image = widget.cachedImage();
    // Every pixel, the edges included: the outline falls outside the picture.
    for (const QPoint& point : { QPoint(0, 0), QPoint(29, 19), QPoint(15, 10), QPoint(29, 0), QPoint(0, 19) })
        QVERIFY2(near(at(image, point.x(), point.y()), expected), qPrintable(at(image, point.x(), point.y()).name()));
}

void BackgroundWidgetTest::blurCoversLogoAndOverlay()
{
    // The same layers composed with several blur radii.
    auto compose = [](double radius) {
        BackgroundWidget widget;
        widget.setImage(halves(16, 16, Qt::yellow, Qt::darkCyan));
        widget.setLogo(solid(40, 20, Qt::magenta));
        widget.setColor(QColor(0, 0, 64, 100));
        widget.setBlurRadius(radius);
        widget.resize(160, 90);
        widget.updateCachedImage();
        return widget.cachedImage();
    };
    const QImage sharp = compose(0.0);
    const QImage blurred = compose(6.9); // truncated to 6
    QCOMPARE(blurred, referenceBlur(sharp, sharp.rect(), 6, false));
    QVERIFY(blurred != sharp);

    // Above zero but truncated to 0: the filter runs with the strength that changes nothing.
    QCOMPARE(compose(0.5), sharp);
}

void BackgroundWidgetTest::settersDoNotRecompose()
{
    BackgroundWidget widget;
    widget.setImage(solid(4, 4, Qt::white));
    widget.resize(20, 20);
    widget.updateCachedImage();
    const QImage before = widget.cachedImage();
    widget.setImage(solid(4, 4, Qt::red));
    widget.setColor(Qt::blue);
    widget.setLogo(solid(4, 4, Qt::green));
    widget.setBlurRadius(5);
    widget.setKeepProportions(true);
    QCOMPARE(widget.cachedImage(), before);

    widget.resize(21, 20);
    widget.show();
    QTRY_COMPARE(widget.cachedImage().size(), QSize(21, 20));
    QVERIFY(widget.cachedImage() != before);
}

void BackgroundWidgetTest::paintsTheCachedImage()
{
    BackgroundWidget widget;
    widget.setImage(halves(10, 10, Qt::red, Qt::blue));
    widget.resize(80, 40);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTRY_COMPARE(widget.cachedImage().size(), QSize(80, 40));
    const QImage grabbed = widget.grab().toImage();
    QCOMPARE(grabbed.pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(grabbed.pixelColor(75, 35), QColor(Qt::blue));
}

QTEST_MAIN(BackgroundWidgetTest)
#include "tst_backgroundwidget.moc"
