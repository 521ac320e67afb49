// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "X11Driver.h"

#include <QByteArray>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace
{

QByteArray windowProperty(Display* display, Window window, Atom property, Atom type)
{
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    QByteArray value;
    if (XGetWindowProperty(
            display, window, property, 0, 1024, False, type, &actualType, &actualFormat, &count, &remaining, &data)
            == Success
        && data && actualType == type) {
        const int bytesPerItem = actualFormat == 32 ? int(sizeof(long)) : actualFormat / 8;
        value = QByteArray(reinterpret_cast<const char*>(data), int(count) * bytesPerItem);
    }
    if (data)
        XFree(data);
    return value;
}

// Windows of the program under test come and go while we look at them; a request about
// one that has just gone fails, which is no reason to end the test (Xlib's default).
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

X11Driver::X11Driver()
    : m_display(XOpenDisplay(nullptr))
{
    XSetErrorHandler(ignoreXError);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    m_hasXTest = m_display && XTestQueryExtension(m_display, &eventBase, &errorBase, &major, &minor);
}

X11Driver::~X11Driver()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool X11Driver::isReady() const
{
    return m_display && m_hasXTest;
}

unsigned long X11Driver::findWindow(qint64 pid, const QString& title) const
{
    const Atom pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
    const Atom nameAtom = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Atom utf8Atom = XInternAtom(m_display, "UTF8_STRING", False);
    Window rootReturn = 0, parentReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &rootReturn, &parentReturn, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        const QByteArray pidValue = windowProperty(m_display, children[i], pidAtom, XA_CARDINAL);
        if (pidValue.size() < int(sizeof(long)) || *reinterpret_cast<const long*>(pidValue.constData()) != pid)
            continue;
        if (QString::fromUtf8(windowProperty(m_display, children[i], nameAtom, utf8Atom)) == title)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

bool X11Driver::focus(unsigned long window)
{
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    Window focused = 0;
    int revertTo = 0;
    XGetInputFocus(m_display, &focused, &revertTo);
    return focused == window;
}

void X11Driver::type(const QString& text)
{
    for (const QChar character : text)
        tap(XStringToKeysym(QByteArray(1, character.toLatin1()).constData()));
}

void X11Driver::key(const char* keysymName)
{
    tap(XStringToKeysym(keysymName));
}

void X11Driver::requestClose(unsigned long window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

void X11Driver::tap(unsigned long keysym)
{
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (code == 0)
        return;
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XSync(m_display, False);
}
