// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

class QLabel;
class QString;
class QWidget;

/**
 * What the greeter's widgets tell assistive technology beyond what Qt derives from them:
 * messages that a screen reader speaks when they appear, and texts that change where a
 * reader of the screen would notice at once.
 */
namespace Accessibility
{

/**
 * Makes @p label a message (AT-SPI role "alert") that a screen reader speaks as it appears:
 * the failure line, the Caps Lock warning, a PAM message. Call it before the label is
 * first shown; the label keeps its text as its accessible name unless one is set.
 */
VESTIBULE_COMMON_EXPORT void markAsAlert(QLabel* label);

/**
 * Lists the menus that open inside @p owner (children, not windows of their own) among its
 * accessible children while they are shown; Qt leaves every menu out of its parent's.
 */
VESTIBULE_COMMON_EXPORT void exposeChildMenus(QWidget* owner);

/// Tells assistive technology once that @p widget's message is to be spoken now.
VESTIBULE_COMMON_EXPORT void announce(QWidget* widget);

/**
 * Shows or hides @p label and speaks it when it comes into view; nothing is said when it
 * was on screen already, so a message set again and again is spoken once.
 */
VESTIBULE_COMMON_EXPORT void showMessage(QLabel* label, bool show);

/// Sets @p widget's accessible description, and tells assistive technology when it changed.
VESTIBULE_COMMON_EXPORT void setDescription(QWidget* widget, const QString& description);

} // namespace Accessibility
