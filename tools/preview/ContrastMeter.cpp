// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ContrastMeter.h"

#include "BaseThemeWidget.h"
#include "PreviewHost.h"
#include "PreviewStates.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include <cmath>

namespace
{

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(QRgb rgb)
{
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

/// The text a widget draws, or an empty string for widgets that draw none (or only a picture).
QString shownText(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->pixmap(Qt::ReturnByValue).isNull() ? label->text() : QString();
    if (auto* button = qobject_cast<QToolButton*>(widget))
        return button->toolButtonStyle() == Qt::ToolButtonIconOnly ? QString() : button->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text().isEmpty() ? edit->placeholderText() : edit->text();
    if (auto* box = qobject_cast<QComboBox*>(widget))
        return box->currentText();
    if (auto* menu = qobject_cast<QMenu*>(widget))
        return menu->actions().isEmpty() ? QString() : menu->actions().first()->text();
    return QString();
}

/// Hides the text of @p widget for as long as it lives, without moving anything.
class TextHider
{
public:
    explicit TextHider(QWidget* widget)
        : m_widget(widget)
        , m_styleSheet(widget->styleSheet())
    {
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && edit->text().isEmpty()) {
            m_placeholder = edit->placeholderText();
            edit->setPlaceholderText(QStringLiteral(" "));
            return;
        }
        // The widget's own sheet outranks every sheet above it, and of two equal rules in it
        // the later wins: named by type, the transparent colour beats what the theme set.
        // A sheet of bare declarations is one rule for everything, as Qt itself reads it;
        // with a rule after it, it has to say so, or Qt drops the whole sheet.
        const QString own = m_styleSheet.contains(QLatin1Char('{')) || m_styleSheet.trimmed().isEmpty()
            ? m_styleSheet
            : QStringLiteral("* { %1 }").arg(m_styleSheet);
        widget->setStyleSheet(own
            + QStringLiteral("\n*, QLabel, QAbstractButton, QToolButton, QPushButton, QLineEdit, QComboBox, QMenu, "
                             "QMenu::item { color: transparent; }"));
    }
    ~TextHider()
    {
        if (auto* edit = qobject_cast<QLineEdit*>(m_widget); edit && !m_placeholder.isNull())
            edit->setPlaceholderText(m_placeholder);
        else
            m_widget->setStyleSheet(m_styleSheet);
    }

private:
    QWidget* m_widget;
    QString m_styleSheet;
    QString m_placeholder;
};

} // namespace

double ContrastMeter::ratio(const QColor& first, const QColor& second)
{
    const double a = luminance(first.rgb());
    const double b = luminance(second.rgb());
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool ContrastMeter::passes(const Reading& reading)
{
    return reading.ratio >= (reading.large ? 3.0 : 4.5) - 0.005;
}

QList<ContrastMeter::Reading> ContrastMeter::measure(PreviewHost& host)
{
    BaseThemeWidget* screen = host.widget();
    const qreal scale = screen->devicePixelRatioF();
    const QPoint origin = screen->mapToGlobal(QPoint(0, 0));
    QList<QWidget*> widgets;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (!window->isVisible())
            continue;
        widgets << window;
        // A dialog is a child of the screen and a window of its own: it is counted once, as a window.
        const QList<QWidget*> children = window->findChildren<QWidget*>();
        for (QWidget* child : children) {
            if (child->window() == window)
                widgets << child;
        }
    }

    QList<Reading> readings;
    for (QWidget* widget : qAsConst(widgets)) {
        const QString text = shownText(widget).trimmed();
        if (text.isEmpty() || !widget->isVisible() || widget->visibleRegion().isEmpty())
            continue;
        const QImage shown = PreviewStates::capture(host);
        QImage bare;
        {
            TextHider hider(widget);
            bare = PreviewStates::capture(host);
        }
        const QRect area = QRect((widget->mapToGlobal(QPoint(0, 0)) - origin) * scale, widget->size() * scale)
                               .intersected(shown.rect());

        // The text's colour where it is strongest; of its background, the part most like it.
        QRgb strongest = 0;
        double strongestDifference = 0.0;
        QList<QRgb> behind;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb a = shown.pixel(x, y);
                const QRgb b = bare.pixel(x, y);
                if (a == b)
                    continue;
                behind << b;
                const double difference = std::abs(luminance(a) - luminance(b));
                if (difference > strongestDifference) {
                    strongestDifference = difference;
                    strongest = a;
                }
            }
        }
        if (behind.isEmpty())
            continue;
        Reading reading;
        reading.widget = widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                        : widget->objectName();
        reading.text = text.left(60);
        reading.foreground = QColor(strongest);
        reading.ratio = 21.0;
        for (QRgb b : qAsConst(behind)) {
            const double r = ratio(reading.foreground, QColor(b));
            if (r < reading.ratio) {
                reading.ratio = r;
                reading.background = QColor(b);
            }
        }
        const QFontInfo font(widget->font());
        reading.large = font.pixelSize() >= 24 || (font.pixelSize() >= 19 && font.bold());
        readings << reading;
    }
    return readings;
}
