// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

/**
 * The login screen's backdrop: wallpaper, logo in the bottom-right corner, a translucent
 * colour overlay and a blur, composed into one image whenever the size changes and painted
 * from it. The setters only store their value: set everything, then size the widget.
 */
class VESTIBULE_COMMON_EXPORT BackgroundWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BackgroundWidget(QWidget* parent = nullptr);
    ~BackgroundWidget() override;

    void setImage(const QPixmap& image);
    void setKeepProportions(bool keepProportions);
    void setLogo(const QPixmap& logo);
    void setColor(const QColor& color);
    void setBlurRadius(double blurRadius);

    /// Composes the image for the current size.
    void updateCachedImage();
    /// The last composed image (null before the first resize).
    QImage cachedImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap m_image;
    bool m_keepProportions = false;
    QPixmap m_logo;
    QColor m_color;
    double m_blurRadius = 0.0;
    QImage m_cachedImage;
};
