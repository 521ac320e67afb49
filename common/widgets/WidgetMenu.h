// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QMenu>

class QToolButton;

/**
 * A menu that lives inside the greeter window as a child widget instead of a popup window
 * of its own, opened and closed by its tool button. The greeter runs without a window
 * manager that would stack popups reliably, and a child widget also blends with the
 * translucent controls around it.
 *
 * The menu does not own the button; the button must outlive the menu.
 */
class VESTIBULE_COMMON_EXPORT WidgetMenu : public QMenu
{
    Q_OBJECT
public:
    WidgetMenu(QWidget* parent, QToolButton* button);
    ~WidgetMenu() override;

    QToolButton* button() const;

    /**
     * Opens the menu next to its button, below it where the parent leaves room and above it
     * otherwise, and turns the button's arrow up. Unlike QMenu::exec() this returns at once:
     * no nested event loop runs inside a click handler of the greeter.
     */
    void showAtButton();
    /// Takes the keyboard focus and highlights the first usable entry.
    void focusFirstAction();

public Q_SLOTS:
    /// Toggles the menu: an open one closes, a closed one opens.
    void toolButtonPressed();
    /// Closes the open submenus and turns the button's arrow down again.
    void performAboutToHide();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint positionFor(const QSize& size) const;

    QToolButton* m_button = nullptr;
    bool m_openedByShortcut = false;
};
