// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "BackgroundWidget.h"

#include "ImageUtils.h"
#include "nimbcore.h"

#include <QPainter>

namespace
{

// What shows where no picture covers the canvas: never uninitialised memory.
const QColor canvasColor(0x1a, 0x1d, 0x23);

} // namespace

BackgroundWidget::BackgroundWidget(QWidget* parent)
    : QWidget(parent)
{
}

BackgroundWidget::~BackgroundWidget() = default;

void BackgroundWidget::setImage(const QPixmap& image)
{
    m_image = image;
}
void BackgroundWidget::setKeepProportions(bool keepProportions)
{
    m_keepProportions = keepProportions;
}
void BackgroundWidget::setLogo(const QPixmap& logo)
{
    m_logo = logo;
}
void BackgroundWidget::setColor(const QColor& color)
{
    m_color = color;
}
void BackgroundWidget::setBlurRadius(double blurRadius)
{
    m_blurRadius = blurRadius;
}
QImage BackgroundWidget::cachedImage() const
{
    return m_cachedImage;
}

void BackgroundWidget::updateCachedImage()
{
    const int width = this->width();
    const int height = this->height();
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    // The scaled picture covers the whole canvas; only where it is missing or translucent
    // would uninitialised memory show, so only then is the canvas filled first.
    if (m_image.isNull() || m_image.hasAlphaChannel())
        canvas.fill(canvasColor);
    {
        QPainter painter(&canvas);
        if (!m_image.isNull()) {
            const Qt::AspectRatioMode mode = m_keepProportions ? Qt::KeepAspectRatioByExpanding : Qt::IgnoreAspectRatio;
            painter.setCompositionMode(
                m_image.hasAlphaChannel() ? QPainter::CompositionMode_SourceOver : QPainter::CompositionMode_Source);
            painter.drawPixmap(0, 0, m_image.scaled(width, height, mode, Qt::SmoothTransformation));
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }

        if (!m_logo.isNull()) {
            // The logo is only ever reduced, never enlarged.
            const float scale = std::min(float(width) / float(m_logo.width()), float(height) / float(m_logo.height()));
            QSize size = m_logo.size();
            if (scale < 1.0f)
                size = QSize(int(m_logo.width() * scale), int(m_logo.height() * scale));
            int x = 0;
            int y = 0;
            const QRect area = geometry();
            CalcLogoPosition(size.width(), size.height(), area.x(), area.y(), width, height, "BottomRight", &x, &y);
            painter.drawPixmap(x, y, m_logo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }

        if (m_color.isValid()) {
            painter.setBrush(QBrush(m_color));
            painter.drawRect(QRect(QPoint(-1, -1), QPoint(width, height)));
        }
    }

    if (m_blurRadius > 0.0)
        m_cachedImage = Utils::blurred(canvas, canvas.rect(), int(m_blurRadius), false);
    else
        m_cachedImage = canvas;
}

void BackgroundWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_cachedImage);
    painter.end();
    QWidget::paintEvent(event);
}

void BackgroundWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateCachedImage();
}
