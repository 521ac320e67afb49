// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SwipeGestureRecognizer.h"

#include <QGesture>
#include <QMouseEvent>

#include <cmath>
#include <cstdlib>

QGesture* SwipeGestureRecognizer::create(QObject* target)
{
    return new QSwipeGesture(target);
}

QGestureRecognizer::Result SwipeGestureRecognizer::recognize(QGesture* state, QObject* /*watched*/, QEvent* event)
{
    if (!event)
        return Ignore;
    auto* swipe = state && state->gestureType() == Qt::SwipeGesture ? static_cast<QSwipeGesture*>(state) : nullptr;

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (!swipe)
            return Ignore;
        const QPoint position = static_cast<QMouseEvent*>(event)->localPos().toPoint();
        m_startX = position.x();
        m_startY = position.y();
        swipe->setSwipeAngle(0);
        return TriggerGesture;
    }
    case QEvent::MouseButtonRelease: {
        const QPoint position = static_cast<QMouseEvent*>(event)->localPos().toPoint();
        int dx = position.x() - m_startX;
        int dy = position.y() - m_startY;
        if (dx == 0 && dy == 0)
            return CancelGesture;
        if (std::abs(dx) < minimumDistance) {
            if (std::abs(dy) < minimumDistance || dy == 0)
                return CancelGesture;
            dx = 0;
        } else if (std::abs(dy) < minimumDistance) {
            dy = 0;
        }
        if (!swipe)
            return Ignore;
        // Screen y grows downwards: right is 0°, up 90°, left 180°, down 270°.
        const double angle = std::atan2(double(dy), double(dx)) * 180.0 / M_PI;
        swipe->setSwipeAngle(angle > 0 ? 360.0 - angle : -angle);
        return FinishGesture;
    }
    default:
        return Ignore;
    }
}
