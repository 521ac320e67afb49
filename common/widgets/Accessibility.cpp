// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace
{

const char alertProperty[] = "vestibuleAlert";
const char menuOwnerProperty[] = "vestibuleMenuOwner";

/// A label that carries a message: read like a label, presented as an alert.
class AlertLabelAccessible : public QAccessibleWidget
{
public:
    explicit AlertLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::AlertMessage)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        if (t == QAccessible::Name) {
            if (!label->accessibleName().isEmpty())
                return label->accessibleName();
            // Markup and the line break that some messages start with are layout, not speech.
            const bool rich = label->textFormat() == Qt::RichText
                || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
            return (rich ? QTextDocumentFragment::fromHtml(label->text()).toPlainText() : label->text()).trimmed();
        }
        return QAccessibleWidget::text(t);
    }
};

/**
 * A widget with menus that open inside the greeter's window. Qt leaves menus out of their
 * parent's accessible children, since a menu is normally a window of its own: a shown
 * one is listed here, so a screen reader finds it where the focus is.
 */
class MenuOwnerAccessible : public QAccessibleWidget
{
public:
    explicit MenuOwnerAccessible(QWidget* owner)
        : QAccessibleWidget(owner)
    {
    }

    int childCount() const override { return QAccessibleWidget::childCount() + shownMenus().size(); }
    QAccessibleInterface* child(int index) const override
    {
        const int own = QAccessibleWidget::childCount();
        if (index < own)
            return QAccessibleWidget::child(index);
        const QList<QMenu*> menus = shownMenus();
        return index - own < menus.size() ? QAccessible::queryAccessibleInterface(menus.at(index - own)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child) {
            const int at = shownMenus().indexOf(qobject_cast<QMenu*>(child->object()));
            if (at >= 0)
                return QAccessibleWidget::childCount() + at;
        }
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    QList<QMenu*> shownMenus() const
    {
        QList<QMenu*> shown;
        const QList<QMenu*> menus = widget()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
        for (QMenu* menu : menus) {
            if (menu->isVisible() && !menu->isWindow())
                shown << menu;
        }
        return shown;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->property(alertProperty).toBool())
        return new AlertLabelAccessible(label);
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->property(menuOwnerProperty).toBool())
        return new MenuOwnerAccessible(widget);
    return nullptr;
}

/// Marks @p widget for the factory; an interface Qt made for it before is made again.
template<typename Interface>
void mark(QWidget* widget, const char* property)
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed)
    if (widget->property(property).toBool())
        return;
    widget->setProperty(property, true);
    // An interface made before the widget was marked (while the form was built, say) would
    // keep Qt's own kind: the next question makes a new one.
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(widget);
        existing && !dynamic_cast<Interface*>(existing))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}

void sendAlert(QWidget* widget)
{
    QAccessibleEvent alert(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace

void Accessibility::markAsAlert(QLabel* label)
{
    mark<AlertLabelAccessible>(label, alertProperty);
}

void Accessibility::exposeChildMenus(QWidget* owner)
{
    mark<MenuOwnerAccessible>(owner, menuOwnerProperty);
}

void Accessibility::announce(QWidget* widget)
{
    if (!widget || !widget->isVisible())
        return;
    // Qt 5's AT-SPI bridge does not pass the Alert event on; what screen readers speak is an
    // alert coming into view. Hidden and shown again in one go, the message is never drawn
    // away, so nothing flickers.
    if (QAccessible::isActive()) {
        widget->setVisible(false);
        widget->setVisible(true);
    }
    sendAlert(widget);
}

void Accessibility::showMessage(QLabel* label, bool show)
{
    const bool wasShown = label->isVisible();
    label->setVisible(show);
    if (show && !wasShown)
        sendAlert(label);
}

void Accessibility::setDescription(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}
