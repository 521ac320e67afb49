// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"
#include "KeyboardManager.h"
#include "XKeyboard.h"

#include <QSignalSpy>
#include <QTest>

/// A host on a platform without an X display: nothing may crash.
class XKeyboardOffscreenTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initThrows()
    {
        try {
            XKeyboard::instance()->init();
            QFAIL("no exception");
        } catch (const CommonException& e) {
            QCOMPARE(
                e.fullDetails(), QStringLiteral("Incompatible or disabled X server XKB extension - check X server"));
        }
    }

    void everythingElseAnswersEmpty()
    {
        XKeyboard* keyboard = XKeyboard::instance();
        QVERIFY(keyboard->getAvailableLayouts().isEmpty());
        QCOMPARE(keyboard->getCurrentLayout(), QString());
        QCOMPARE(keyboard->getLayout(0), QString());
        QVERIFY(!keyboard->capsLockState());
        QVERIFY(!keyboard->keyState(0xffe1));
        keyboard->changeLayout();

        QSignalSpy caps(keyboard, &XKeyboard::capsLockStateChanged);
        QSignalSpy layouts(keyboard, &XKeyboard::layoutChanged);
        unsigned char event[32] = {};
        event[0] = 2;
        event[28] = 2;
        keyboard->xcbGenericEventHandle("xcb_generic_event_t", event, nullptr);
        keyboard->xcbGenericEventHandle("xcb_generic_event_t", nullptr, nullptr);
        QCOMPARE(caps.count(), 0);
        QCOMPARE(layouts.count(), 0);

        KeyboardManager manager(keyboard);
        QCOMPARE(manager.getCurrentLayout(), QString());
        QVERIFY(!manager.capsLockState());
        manager.changeLayout();
    }
};

QTEST_MAIN(XKeyboardOffscreenTest)
#include "tst_xkeyboard_offscreen.moc"
