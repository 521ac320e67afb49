// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "KeyboardManager.h"

#include "Exceptions.h"
#include "XKeyboard.h"

#include <cstdio>

const QString KeyboardManager::ID = QStringLiteral("keyboard");

KeyboardManager::KeyboardManager(XKeyboard* keyboard, QObject* parent)
    : QObject(parent)
    , Manager(ID)
    , m_keyboard(keyboard)
{
    connect(m_keyboard, &XKeyboard::layoutChanged, this, &KeyboardManager::layoutChanged);
    connect(m_keyboard, &XKeyboard::capsLockStateChanged, this, &KeyboardManager::capsLockStateChanged);
}

KeyboardManager::~KeyboardManager() = default;

namespace
{

/// The themes call in here from button clicks and timers, where nothing may be thrown.
void reportKeyboardFailure(const DetailsException& error)
{
    static bool reported = false;
    if (!reported) {
        reported = true;
        std::fprintf(stderr, "nimb-qdm: the keyboard layout cannot be read: %s\n", qUtf8Printable(error.fullDetails()));
    }
}

} // namespace

QString KeyboardManager::getCurrentLayout() const
{
    try {
        return m_keyboard->getCurrentLayout();
    } catch (const DetailsException& error) {
        reportKeyboardFailure(error);
        return QString();
    }
}

void KeyboardManager::changeLayout() const
{
    try {
        m_keyboard->changeLayout();
    } catch (const DetailsException& error) {
        reportKeyboardFailure(error);
    }
}
bool KeyboardManager::capsLockState() const
{
    return m_keyboard->capsLockState();
}
