// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QGestureRecognizer>

/**
 * Turns a mouse press and release at least 50 pixels apart into a swipe gesture, so the
 * user grid can be paged with a drag (touch screens deliver synthesised mouse events).
 * Registered for the standard swipe gesture type.
 */
class VESTIBULE_COMMON_EXPORT SwipeGestureRecognizer : public QGestureRecognizer
{
public:
    static constexpr int minimumDistance = 50;

    QGesture* create(QObject* target) override;
    Result recognize(QGesture* state, QObject* watched, QEvent* event) override;

private:
    int m_startX = 0;
    int m_startY = 0;
};
