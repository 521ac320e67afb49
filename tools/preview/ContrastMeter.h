// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QString>

class PreviewHost;

/**
 * Measures how well every text on the screen stands out from what is behind it, by the
 * contrast ratio of the Web Content Accessibility Guidelines. Each visible text widget is
 * photographed with the whole screen twice, once as shown and once with its text made
 * transparent: the pixels that differ are the text, the second picture is its background.
 */
class ContrastMeter
{
public:
    struct Reading {
        QString widget; ///< object name, or the class where there is none
        QString text;
        QColor foreground; ///< the strongest text pixel
        QColor background; ///< behind that pixel
        double ratio = 0.0;
        bool large = false; ///< 18 pt, or 14 pt bold: 3:1 suffices
    };

    /// Every text now on the screen of @p host, its dialogs included.
    static QList<Reading> measure(PreviewHost& host);
    /// The ratio of the guidelines between two colours, 1 to 21.
    static double ratio(const QColor& first, const QColor& second);
    /// Whether @p reading meets 4.5:1, or 3:1 for large text.
    static bool passes(const Reading& reading);
};
