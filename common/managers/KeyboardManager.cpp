// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "KeyboardManager.h"

#include "XKeyboard.h"

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

QString KeyboardManager::getCurrentLayout() const { return m_keyboard->getCurrentLayout(); }
void KeyboardManager::changeLayout() const { m_keyboard->changeLayout(); }
bool KeyboardManager::capsLockState() const { return m_keyboard->capsLockState(); }
