// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "XKeyboard.h"

#include "Exceptions.h"

#include <QX11Info>

#include <cstdio>
#include <cstring>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace
{

constexpr int keyPress = 2;
constexpr int keyRelease = 3;
constexpr int xkbStateNotify = 2;
constexpr int lockMask = 2;

/// The application's X display, or null on a platform without one.
Display* display()
{
    return QX11Info::isPlatformX11() ? QX11Info::display() : nullptr;
}

} // namespace

XKeyboard* XKeyboard::instance()
{
    // Deliberately never destroyed: the host routes native events to it until the end.
    static XKeyboard* keyboard = new XKeyboard;
    return keyboard;
}

XKeyboard::XKeyboard()
    : QObject(nullptr)
{
}

void XKeyboard::init()
{
    int major = 1;
    int minor = 0;
    if (!XkbLibraryVersion(&major, &minor)) {
        throw CommonException(tr("Incompatible Xlib XKB extension v.%1.%2!=%3.%4 - try to rebuild this program")
                                  .arg(major)
                                  .arg(minor)
                                  .arg(1)
                                  .arg(0));
    }

    Display* dpy = display();
    int opcode = 0;
    int errorBase = 0;
    int eventBase = 0;
    major = 1;
    minor = 0;
    if (!dpy || !XkbQueryExtension(dpy, &opcode, &eventBase, &errorBase, &major, &minor))
        throw CommonException(tr("Incompatible or disabled X server XKB extension - check X server"));
    m_xkbEventBase = eventBase;

    // Qt asks for state notifications on its own, but the layout signal must not depend on that.
    constexpr unsigned long details = XkbGroupStateMask | XkbModifierStateMask;
    XkbSelectEventDetails(dpy, XkbUseCoreKbd, XkbStateNotify, details, details);
    XFlush(dpy);
}

int XKeyboard::getXkbEventId() const
{
    return m_xkbEventBase;
}

bool XKeyboard::keyState(int keysym) const
{
    Display* dpy = display();
    if (!dpy)
        return false;
    const KeyCode keycode = XKeysymToKeycode(dpy, static_cast<KeySym>(keysym));
    if (keycode == 0)
        return false;

    unsigned int mask = 0;
    if (XModifierKeymap* map = XGetModifierMapping(dpy)) {
        for (int row = 0; row < 8; ++row) {
            if (map->max_keypermod > 0 && map->modifiermap[row * map->max_keypermod] == keycode)
                mask = 1u << row;
        }
        XFreeModifiermap(map);
    }
    if (mask == 0)
        return false;

    Window root = 0;
    Window child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int state = 0;
    XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &rootX, &rootY, &winX, &winY, &state);
    return (state & mask) != 0;
}

bool XKeyboard::capsLockState() const
{
    return keyState(XK_Caps_Lock);
}

QStringList XKeyboard::getAvailableLayouts() const
{
    Display* dpy = display();
    if (!dpy)
        return QStringList();

    static const char atomName[] = "_XKB_RULES_NAMES";
    const Atom atom = XInternAtom(dpy, atomName, False);
    if (atom == None)
        throw CommonException(tr("Could not find the atom %1").arg(QLatin1String(atomName)));

    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long bytesAfter = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(
            dpy, QX11Info::appRootWindow(), atom, 0, 1024, False, XA_STRING, &type, &format, &items, &bytesAfter, &data)
        != Success) {
        throw CommonException(tr("Could not get the property XGetWindowProperty"));
    }
    if (bytesAfter > 0 || type != XA_STRING || format != 8) {
        if (data)
            XFree(data);
        throw CommonException(tr("Wrong property format XGetWindowProperty"));
    }

    // rules \0 model \0 layouts \0 variants \0 options
    QStringList layouts;
    const char* text = reinterpret_cast<const char*>(data);
    const char* end = text + items;
    const char* cursor = text;
    for (int skip = 0; skip < 2 && cursor < end; ++skip)
        cursor += strnlen(cursor, end - cursor) + 1;
    if (cursor < end && *cursor) {
        const QByteArray value(cursor, static_cast<int>(strnlen(cursor, end - cursor)));
        layouts = QString::fromLocal8Bit(value).split(QLatin1Char(','));
    }
    if (data)
        XFree(data);
    return layouts;
}

QString XKeyboard::getCurrentLayout() const
{
    Display* dpy = display();
    if (!dpy)
        return QString();
    XkbStateRec state;
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
        return QString();
    return getLayout(state.group);
}

QString XKeyboard::getLayout(unsigned char group) const
{
    return getAvailableLayouts().value(group);
}

void XKeyboard::changeLayout() const
{
    Display* dpy = display();
    if (!dpy)
        return;
    const int count = getAvailableLayouts().size();
    if (count < 2)
        return;
    XkbStateRec state;
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
        return;
    const unsigned int next = state.group + 1 < count ? state.group + 1 : 0;
    XkbLockGroup(dpy, XkbUseCoreKbd, next);
    XFlush(dpy);
}

void XKeyboard::xcbGenericEventHandle(const QByteArray& eventType, void* message, long* /*result*/)
{
    if (eventType != "xcb_generic_event_t" || !message)
        return;
    try {
        handleEvent(static_cast<const unsigned char*>(message));
    } catch (const DetailsException& error) {
        if (!m_eventFailureReported) {
            m_eventFailureReported = true;
            std::fprintf(stderr, "nimb-qdm: keyboard event passed over: %s\n", qUtf8Printable(error.fullDetails()));
        }
    }
}

void XKeyboard::handleEvent(const unsigned char* bytes)
{
    const int type = bytes[0];
    if (type == keyPress || type == keyRelease) {
        // Key events: detail (keycode) at byte 1, the modifier state before the key at bytes 28-29.
        Display* dpy = display();
        const KeyCode capsLock = dpy ? XKeysymToKeycode(dpy, XK_Caps_Lock) : 0;
        uint16_t state = 0;
        std::memcpy(&state, bytes + 28, sizeof(state));
        if (capsLock != 0 && bytes[1] == capsLock && (state & lockMask))
            Q_EMIT capsLockStateChanged(capsLockState());
    }

    if (m_xkbEventBase < 0 || (type & 0x7f) != m_xkbEventBase)
        return;
    if (bytes[1] == xkbStateNotify)
        Q_EMIT layoutChanged(getLayout(bytes[13]));
}
