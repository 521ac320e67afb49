// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

struct _XDisplay;

/**
 * Drives other programs' windows on the test display the way a user would: finds a
 * process's windows, focuses them, types through the XTEST extension and asks a window
 * to close as a window manager's close button does. Xlib stays inside the .cpp file.
 */
class X11Driver
{
public:
    X11Driver();
    ~X11Driver();
    X11Driver(const X11Driver&) = delete;
    X11Driver& operator=(const X11Driver&) = delete;

    /// Whether the display of $DISPLAY is open and has the XTEST extension.
    bool isReady() const;

    /// A viewable top-level window of process @p pid whose title is @p title; 0 when there is none.
    unsigned long findWindow(qint64 pid, const QString& title) const;

    /// Gives @p window the keyboard focus. Returns whether the server reports it focused.
    bool focus(unsigned long window);

    /// Presses and releases the key of each character of @p text (digits and Latin letters).
    void type(const QString& text);

    /// Presses and releases the key named @p keysymName ("Return", "Tab", "Escape").
    void key(const char* keysymName);

    /// Sends WM_DELETE_WINDOW to @p window, as a window manager does for its close button.
    void requestClose(unsigned long window);

private:
    void tap(unsigned long keysym);

    _XDisplay* m_display = nullptr;
    bool m_hasXTest = false;
};
