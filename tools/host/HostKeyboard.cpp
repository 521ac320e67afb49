// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "HostKeyboard.h"

#include "Exceptions.h"
#include "HostReport.h"
#include "XKeyboard.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

namespace
{

/// Hands the X server's keyboard events to the keyboard object, which reports layout and Caps Lock.
class KeyboardEventRouter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override
    {
        try {
            XKeyboard::instance()->xcbGenericEventHandle(eventType, message, result);
        } catch (const DetailsException& error) {
            // Once is enough: the screen goes on without layout updates.
            if (!m_reported) {
                m_reported = true;
                reportOnStderr(QStringLiteral("keyboard events cannot be read: %1").arg(error.fullDetails()));
            }
        }
        return false;
    }

private:
    bool m_reported = false;
};

} // namespace

void HostKeyboard::init()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    try {
        XKeyboard::instance()->init();
        static KeyboardEventRouter router;
        QCoreApplication::instance()->installNativeEventFilter(&router);
    } catch (const DetailsException& error) {
        reportOnStderr(QStringLiteral("no keyboard layouts: %1").arg(error.fullDetails()));
    }
}
