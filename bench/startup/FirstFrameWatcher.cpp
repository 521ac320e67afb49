// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "FirstFrameWatcher.h"

#include "StartedProgram.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace
{

using Clock = StartedProgram::Clock;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int damageErrorBase = 0;

int onXError(Display*, XErrorEvent* error)
{
    // Windows of other clients come and go while they are watched; requests on one that is gone
    // already, and on the Damage object the server freed with it, fail harmlessly.
    const int code = error->error_code;
    if (code == BadWindow || code == BadDrawable || code == BadMatch || code == damageErrorBase + BadDamage)
        return 0;
    std::fprintf(stderr, "bench_startup: X error %d on request %d\n", code, error->request_code);
    return 0;
}

int onXIOError(Display*)
{
    std::fputs("bench_startup: lost the connection to the X server\n", stderr);
    StartedProgram::killRunning();
    _exit(2);
}

} // namespace

class FirstFrameWatcherPrivate
{
public:
    enum class Seen { Other, Mapped, Painted };

    Seen handle(const XEvent& event, pid_t pid);
    void watch(Window window);
    bool isProgramWindow(Window window, pid_t pid);
    void reset();

    Display* display = nullptr;
    int damageEventBase = 0;
    Window root = 0;
    Atom pidAtom = 0;
    std::map<Window, Damage> damages;
    std::set<Window> created;
    Window target = 0;
    // The process that set the target's _NET_WM_PID: the program, or one it started.
    pid_t targetOwner = 0;
    QSize targetSize;
    bool painted = false;
};

FirstFrameWatcherPrivate::Seen FirstFrameWatcherPrivate::handle(const XEvent& event, pid_t pid)
{
    if (event.type == damageEventBase + XDamageNotify) {
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (target && damage.drawable == target && !painted) {
            painted = true;
            return Seen::Painted;
        }
        return Seen::Other;
    }
    switch (event.type) {
    case CreateNotify:
        if (event.xcreatewindow.parent == root)
            watch(event.xcreatewindow.window);
        break;
    case DestroyNotify:
        // The server frees the window's Damage object with it.
        damages.erase(event.xdestroywindow.window);
        created.erase(event.xdestroywindow.window);
        if (event.xdestroywindow.window == target && !painted)
            target = 0;
        break;
    case ConfigureNotify:
        // The size the first frame is painted at, should the program resize after mapping.
        if (event.xconfigure.window == target && !painted)
            targetSize = QSize(event.xconfigure.width, event.xconfigure.height);
        break;
    case MapNotify:
        if (!target && isProgramWindow(event.xmap.window, pid)) {
            target = event.xmap.window;
            if (!damages.count(target))
                watch(target);
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, target, &attributes))
                targetSize = QSize(attributes.width, attributes.height);
            return Seen::Mapped;
        }
        break;
    }
    return Seen::Other;
}

void FirstFrameWatcherPrivate::watch(Window window)
{
    created.insert(window);
    // Its own structure events as well, in case a window manager reparents it away from the root.
    XSelectInput(display, window, StructureNotifyMask);
    damages[window] = XDamageCreate(display, window, XDamageReportNonEmpty);
}

bool FirstFrameWatcherPrivate::isProgramWindow(Window window, pid_t pid)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(
        display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &remaining, &data);
    if (status == Success && data && format == 32 && count == 1) {
        const auto owner = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
        // A launcher that runs the real program as its child counts too.
        if (owner != pid && getpgid(owner) != pid)
            return false;
        targetOwner = owner;
        return true;
    }
    if (data)
        XFree(data);
    targetOwner = pid;
    return created.count(window) > 0;
}

void FirstFrameWatcherPrivate::reset()
{
    XSync(display, False);
    for (const auto& [window, damage] : damages) {
        XDamageDestroy(display, damage);
        XSelectInput(display, window, NoEventMask);
    }
    damages.clear();
    created.clear();
    target = 0;
    targetOwner = 0;
    targetSize = QSize();
    painted = false;
    // What is still queued belongs to the run before.
    XSync(display, True);
}

std::unique_ptr<FirstFrameWatcher> FirstFrameWatcher::connect(QString* error)
{
    auto d = std::make_unique<FirstFrameWatcherPrivate>();
    d->display = XOpenDisplay(nullptr);
    if (!d->display) {
        *error = QStringLiteral("can't open the X display \"%1\"").arg(QString::fromLocal8Bit(XDisplayName(nullptr)));
        return nullptr;
    }
    // The programs open their own connections; this one is not theirs to inherit.
    fcntl(ConnectionNumber(d->display), F_SETFD, FD_CLOEXEC);
    int damageMajor = 0, damageMinor = 0;
    if (!XDamageQueryExtension(d->display, &d->damageEventBase, &damageErrorBase)
        || !XDamageQueryVersion(d->display, &damageMajor, &damageMinor)) {
        *error = QStringLiteral("the X server \"%1\" has no DAMAGE extension")
                     .arg(QString::fromLocal8Bit(DisplayString(d->display)));
        XCloseDisplay(d->display);
        return nullptr;
    }
    XSetErrorHandler(onXError);
    XSetIOErrorHandler(onXIOError);
    d->root = DefaultRootWindow(d->display);
    d->pidAtom = XInternAtom(d->display, "_NET_WM_PID", False);
    XSelectInput(d->display, d->root, SubstructureNotifyMask);
    XSync(d->display, False);
    return std::unique_ptr<FirstFrameWatcher>(new FirstFrameWatcher(std::move(d)));
}

FirstFrameWatcher::FirstFrameWatcher(std::unique_ptr<FirstFrameWatcherPrivate> d)
    : d(std::move(d))
{
}

FirstFrameWatcher::~FirstFrameWatcher()
{
    XCloseDisplay(d->display);
}

QString FirstFrameWatcher::displayName() const
{
    return QString::fromLocal8Bit(DisplayString(d->display));
}

QSize FirstFrameWatcher::screenSize() const
{
    const int screen = DefaultScreen(d->display);
    return QSize(DisplayWidth(d->display, screen), DisplayHeight(d->display, screen));
}

StartupRun FirstFrameWatcher::measure(const QStringList& command, const StartupLimits& limits)
{
    d->reset();
    StartupRun run;
    StartedProgram program(command);
    if (program.pid() < 0) {
        run.failure = QStringLiteral("fork failed: ") + QString::fromLocal8Bit(std::strerror(errno));
        return run;
    }
    const Clock::time_point deadline = program.startTime() + std::chrono::milliseconds(limits.timeoutMs);
    const auto settle = std::chrono::milliseconds(limits.settleMs);
    Clock::time_point mapped, painted;
    for (;;) {
        while (XPending(d->display)) {
            XEvent event;
            XNextEvent(d->display, &event);
            // Taken as the event is read: the server sent it at most a poll wake-up earlier.
            const Clock::time_point now = Clock::now();
            switch (d->handle(event, program.pid())) {
            case FirstFrameWatcherPrivate::Seen::Mapped:
                mapped = now;
                break;
            case FirstFrameWatcherPrivate::Seen::Painted:
                painted = now;
                break;
            case FirstFrameWatcherPrivate::Seen::Other:
                break;
            }
        }
        const Clock::time_point now = Clock::now();
        if (d->painted && now >= painted + settle)
            break;
        QString status;
        if (program.exited(&status)) {
            run.failure = QStringLiteral("ended with %1 before it was measured").arg(status);
            break;
        }
        if (now >= deadline && !d->painted) {
            run.failure = d->target ? QStringLiteral("mapped a window but painted nothing within %1 s")
                                    : QStringLiteral("mapped no window within %1 s");
            run.failure = run.failure.arg(limits.timeoutMs / 1000.0);
            break;
        }
        // Short waits, so that a program that ends is noticed soon too.
        pollfd x { ConnectionNumber(d->display), POLLIN, 0 };
        const Clock::time_point wake = d->painted ? painted + settle : deadline;
        poll(&x, 1, std::clamp(int(msBetween(now, wake)) + 1, 1, 50));
    }
    if (run.failure.isEmpty()) {
        run.ok = true;
        run.peakRssMiB = StartedProgram::peakRssMiB(d->targetOwner);
        run.mappedMs = msBetween(program.startTime(), mapped);
        run.firstFrameMs = msBetween(program.startTime(), painted);
        run.window = d->targetSize;
    }
    const QString output = run.ok ? QString() : program.outputTail();
    const QString unclean = program.stop();
    if (!unclean.isEmpty())
        std::fprintf(stderr, "bench_startup: %s %s\n", qPrintable(command.first()), qPrintable(unclean));
    if (!output.isEmpty())
        run.failure += QStringLiteral("; its output ends with:\n") + output;
    d->reset();
    return run;
}
