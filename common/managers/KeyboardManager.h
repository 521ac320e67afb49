// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "Manager.h"
#include "vestibule_common_export.h"

#include <QObject>

class XKeyboard;

/// The greeter manager through which themes reach the keyboard layout and Caps Lock.
class VESTIBULE_COMMON_EXPORT KeyboardManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "keyboard"

    /// @p keyboard is not owned; it is normally XKeyboard::instance().
    explicit KeyboardManager(XKeyboard* keyboard, QObject* parent = nullptr);
    ~KeyboardManager() override;

    /// The active layout; empty (reported once on standard error) when it cannot be read.
    QString getCurrentLayout() const;
    /// The next layout; nothing (reported once) when the layouts cannot be read.
    void changeLayout() const;
    bool capsLockState() const;

Q_SIGNALS:
    void layoutChanged(const QString& layout);
    void capsLockStateChanged(bool lock);

private:
    XKeyboard* const m_keyboard;
};
