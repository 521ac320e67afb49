// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QObject>
#include <QStringList>

/**
 * The X server's keyboard extension (XKB) as the login screen needs it: the configured
 * layouts, the active one, switching to the next, and Caps Lock. One per process, created
 * on first use and never destroyed. The host calls init() once and routes the native X
 * events to xcbGenericEventHandle(), which turns them into the two signals.
 *
 * Without an X display (Qt's offscreen platform, for instance) init() throws and every other
 * operation answers as for a keyboard without layouts.
 */
class VESTIBULE_COMMON_EXPORT XKeyboard : public QObject
{
    Q_OBJECT
public:
    static XKeyboard* instance();

    /// Checks the XKB library and the server's extension; throws CommonException when unusable.
    void init();
    int getXkbEventId() const;

    /// Whether the modifier bound to the key of @p keysym is active now.
    bool keyState(int keysym) const;
    bool capsLockState() const;

    /// The configured layout names, in group order; throws CommonException when the server's setting is unreadable.
    QStringList getAvailableLayouts() const;
    /// The name of the active group; empty when it has none.
    QString getCurrentLayout() const;
    /// The name of group @p group; empty when out of range.
    QString getLayout(unsigned char group) const;
    /// Activates the next group, cyclically; nothing with fewer than two layouts.
    void changeLayout() const;

Q_SIGNALS:
    void capsLockStateChanged(bool lock);
    void layoutChanged(const QString& layout);

public Q_SLOTS:
    /**
     * Receives every native event; @p result is left alone. Never throws: it runs inside the
     * X event dispatch, so a layout that cannot be read is reported once on standard error
     * and the event is passed over.
     */
    void xcbGenericEventHandle(const QByteArray& eventType, void* message, long* result);

private:
    XKeyboard();
    void handleEvent(const unsigned char* bytes);

    int m_xkbEventBase = -1;
    bool m_eventFailureReported = false;
};
