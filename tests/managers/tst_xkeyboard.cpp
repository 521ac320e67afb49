// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"
#include "KeyboardManager.h"
#include "MetaSignatures.h"
#include "PrivateXServer.h"
#include "StderrCapture.h"
#include "XKeyboard.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QX11Info>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace
{

/// Routes Qt's native events to the keyboard, as the greeter host does.
class KeyboardEventRouter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override
    {
        XKeyboard::instance()->xcbGenericEventHandle(eventType, message, result);
        return false;
    }
};

/// All bytes of a literal with embedded NULs, without the terminating one.
template<std::size_t N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, int(N - 1));
}

bool setxkbmap(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("setxkbmap"), arguments) == 0;
}

void writeRulesProperty(const QByteArray& value, Atom type = XA_STRING, int format = 8)
{
    Display* dpy = QX11Info::display();
    const Atom atom = XInternAtom(dpy, "_XKB_RULES_NAMES", False);
    const int items = format == 8 ? value.size() : value.size() / (format / 8);
    XChangeProperty(dpy, QX11Info::appRootWindow(), atom, type, format, PropModeReplace,
        reinterpret_cast<const unsigned char*>(value.constData()), items);
    XSync(dpy, False);
}

void lockGroupFromOutside(unsigned int group)
{
    // Another client, as a panel applet or a hot key handler would be.
    Display* other = XOpenDisplay(nullptr);
    XkbLockGroup(other, XkbUseCoreKbd, group);
    XCloseDisplay(other);
}

void pressAndRelease(KeySym keysym)
{
    Display* dpy = QX11Info::display();
    const KeyCode code = XKeysymToKeycode(dpy, keysym);
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    XSync(dpy, False);
}

} // namespace

class XKeyboardTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void initLearnsTheEventBase();
    void layoutsFromSetxkbmap();
    void changeLayoutIsCyclic();
    void singleLayoutDoesNotChange();
    void rulesProperty_data();
    void rulesProperty();
    void wrongPropertyThrows_data();
    void wrongPropertyThrows();
    void unreadableLayoutInAnEventIsPassedOver();

    void capsLockIsReportedBothWays();
    void capsLockPressWithoutLockBitEmitsNothing();
    void layoutSwitchAndShiftReportTheLayout();

    void managerForwardsAndReemits();

private:
    QWidget m_window;
    KeyboardEventRouter m_router;
};

void XKeyboardTest::initTestCase()
{
    QVERIFY(QX11Info::isPlatformX11());
    XKeyboard::instance()->init();
    qApp->installNativeEventFilter(&m_router);
    m_window.resize(200, 100);
    m_window.show();
    m_window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_window));
}

void XKeyboardTest::init()
{
    lockGroupFromOutside(0);
    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us") }));
    if (XKeyboard::instance()->capsLockState())
        pressAndRelease(XK_Caps_Lock);
    QTRY_VERIFY(!XKeyboard::instance()->capsLockState());
}

void XKeyboardTest::initLearnsTheEventBase()
{
    QVERIFY(XKeyboard::instance()->getXkbEventId() > 0);
    QCOMPARE(XKeyboard::instance(), XKeyboard::instance());
}

void XKeyboardTest::layoutsFromSetxkbmap()
{
    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us,ru,de") }));
    XKeyboard* keyboard = XKeyboard::instance();
    QCOMPARE(keyboard->getAvailableLayouts(),
        (QStringList { QStringLiteral("us"), QStringLiteral("ru"), QStringLiteral("de") }));
    QCOMPARE(keyboard->getCurrentLayout(), QStringLiteral("us"));
    QCOMPARE(keyboard->getLayout(1), QStringLiteral("ru"));
    QCOMPARE(keyboard->getLayout(3), QString());
    QCOMPARE(keyboard->getLayout(255), QString());
}

void XKeyboardTest::changeLayoutIsCyclic()
{
    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us,ru,de") }));
    XKeyboard* keyboard = XKeyboard::instance();
    keyboard->changeLayout();
    QTRY_COMPARE(keyboard->getCurrentLayout(), QStringLiteral("ru"));
    keyboard->changeLayout();
    QTRY_COMPARE(keyboard->getCurrentLayout(), QStringLiteral("de"));
    keyboard->changeLayout();
    QTRY_COMPARE(keyboard->getCurrentLayout(), QStringLiteral("us"));

    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us,ru") }));
    lockGroupFromOutside(1);
    QTRY_COMPARE(keyboard->getCurrentLayout(), QStringLiteral("ru"));
    keyboard->changeLayout();
    QTRY_COMPARE(keyboard->getCurrentLayout(), QStringLiteral("us"));
}

void XKeyboardTest::singleLayoutDoesNotChange()
{
    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("de") }));
    XKeyboard* keyboard = XKeyboard::instance();
    QCOMPARE(keyboard->getAvailableLayouts(), QStringList { QStringLiteral("de") });
    keyboard->changeLayout();
    QTest::qWait(50);
    QCOMPARE(keyboard->getCurrentLayout(), QStringLiteral("de"));
}

void XKeyboardTest::rulesProperty_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QStringList>("layouts");
    QTest::newRow("missing middle name keeps an empty part")
        << bytes("evdev\0pc105\0us,,de\0\0\0") << QStringList { QStringLiteral("us"), QString(), QStringLiteral("de") };
    QTest::newRow("empty layout text") << bytes("evdev\0pc105\0\0\0\0") << QStringList();
    QTest::newRow("rules only") << bytes("evdev\0") << QStringList();
    QTest::newRow("rules and model only") << bytes("evdev\0pc105\0") << QStringList();
    QTest::newRow("layout text without a final NUL")
        << bytes("evdev\0pc105\0us,ru") << QStringList { QStringLiteral("us"), QStringLiteral("ru") };
    QTest::newRow("empty property") << QByteArray() << QStringList();
}

void XKeyboardTest::rulesProperty()
{
    QFETCH(QByteArray, value);
    QFETCH(QStringList, layouts);
    writeRulesProperty(value);
    QCOMPARE(XKeyboard::instance()->getAvailableLayouts(), layouts);
    if (layouts.isEmpty()) {
        QCOMPARE(XKeyboard::instance()->getCurrentLayout(), QString());
        XKeyboard::instance()->changeLayout();
    }
}

void XKeyboardTest::wrongPropertyThrows_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("format");
    QTest::newRow("integer type, 32-bit format") << int(XA_INTEGER) << 32;
    QTest::newRow("string type, 16-bit format") << int(XA_STRING) << 16;
    QTest::newRow("atom type, 8-bit format") << int(XA_ATOM) << 8;
}

void XKeyboardTest::wrongPropertyThrows()
{
    QFETCH(int, type);
    QFETCH(int, format);
    writeRulesProperty(bytes("evdev\0pc105\0us\0\0\0\0"), static_cast<Atom>(type), format);
    try {
        XKeyboard::instance()->getAvailableLayouts();
        QFAIL("no exception");
    } catch (const CommonException& e) {
        QCOMPARE(e.fullDetails(), QStringLiteral("Wrong property format XGetWindowProperty"));
    }
    QVERIFY_EXCEPTION_THROWN(XKeyboard::instance()->getCurrentLayout(), CommonException);
}

void XKeyboardTest::unreadableLayoutInAnEventIsPassedOver()
{
    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us,ru") }));
    writeRulesProperty(bytes("evdev\0pc105\0us,ru\0\0\0\0"), XA_INTEGER, 32);
    QSignalSpy spy(XKeyboard::instance(), &XKeyboard::layoutChanged);
    StderrCapture capture;
    // The layout switch arrives in the X event dispatch, where nothing may be thrown.
    lockGroupFromOutside(1);
    QTRY_VERIFY(capture.text().contains("nimb-qdm: keyboard event passed over: Wrong property format"));
    lockGroupFromOutside(0);
    QTest::qWait(300);
    QCOMPARE(capture.text().count("nimb-qdm:"), 1);
    QCOMPARE(spy.count(), 0);

    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us,ru") }));
    lockGroupFromOutside(1);
    QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).toString() == QLatin1String("ru"));
}

void XKeyboardTest::capsLockIsReportedBothWays()
{
    QSignalSpy spy(XKeyboard::instance(), &XKeyboard::capsLockStateChanged);
    pressAndRelease(XK_Caps_Lock);
    QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).toBool());
    QVERIFY(XKeyboard::instance()->capsLockState());

    spy.clear();
    pressAndRelease(XK_Caps_Lock);
    QTRY_VERIFY(!spy.isEmpty() && !spy.last().at(0).toBool());
    QVERIFY(!XKeyboard::instance()->capsLockState());
}

void XKeyboardTest::capsLockPressWithoutLockBitEmitsNothing()
{
    QSignalSpy spy(XKeyboard::instance(), &XKeyboard::capsLockStateChanged);
    unsigned char event[32] = {};
    event[0] = 2; // key press
    event[1] = XKeysymToKeycode(QX11Info::display(), XK_Caps_Lock);
    XKeyboard::instance()->xcbGenericEventHandle("xcb_generic_event_t", event, nullptr);
    QCOMPARE(spy.count(), 0);
    event[28] = 2; // Lock bit
    XKeyboard::instance()->xcbGenericEventHandle("some_other_event_t", event, nullptr);
    QCOMPARE(spy.count(), 0);
    XKeyboard::instance()->xcbGenericEventHandle("xcb_generic_event_t", event, nullptr);
    QCOMPARE(spy.count(), 1);
}

void XKeyboardTest::layoutSwitchAndShiftReportTheLayout()
{
    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us,ru,de") }));
    QSignalSpy spy(XKeyboard::instance(), &XKeyboard::layoutChanged);
    lockGroupFromOutside(2);
    QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).toString() == QLatin1String("de"));

    spy.clear();
    pressAndRelease(XK_Shift_L);
    QTRY_VERIFY(!spy.isEmpty());
    for (const QList<QVariant>& emission : qAsConst(spy))
        QCOMPARE(emission.at(0).toString(), QStringLiteral("de"));
}

void XKeyboardTest::managerForwardsAndReemits()
{
    QVERIFY(setxkbmap({ QStringLiteral("-layout"), QStringLiteral("us,ru") }));
    KeyboardManager manager(XKeyboard::instance());
    QCOMPARE(manager.id(), QStringLiteral("keyboard"));
    QVERIFY(manager.qt_metacast("Manager"));
    QCOMPARE(MetaSignatures::ownSignals(KeyboardManager::staticMetaObject),
        (QStringList { QStringLiteral("layoutChanged(QString)"), QStringLiteral("capsLockStateChanged(bool)") }));
    QCOMPARE(MetaSignatures::ownSignals(XKeyboard::staticMetaObject),
        (QStringList { QStringLiteral("capsLockStateChanged(bool)"), QStringLiteral("layoutChanged(QString)") }));

    QSignalSpy layouts(&manager, &KeyboardManager::layoutChanged);
    QSignalSpy caps(&manager, &KeyboardManager::capsLockStateChanged);
    QCOMPARE(manager.getCurrentLayout(), QStringLiteral("us"));
    manager.changeLayout();
    QTRY_COMPARE(manager.getCurrentLayout(), QStringLiteral("ru"));
    QTRY_VERIFY(!layouts.isEmpty() && layouts.last().at(0).toString() == QLatin1String("ru"));

    pressAndRelease(XK_Caps_Lock);
    QTRY_VERIFY(!caps.isEmpty() && caps.last().at(0).toBool());
    QVERIFY(manager.capsLockState());
    pressAndRelease(XK_Caps_Lock);
    QTRY_VERIFY(!caps.last().at(0).toBool());
}

int main(int argc, char** argv)
{
    PrivateXServer server;
    if (!server.isRunning()) {
        std::fprintf(stderr, "cannot start a private Xvfb\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    XKeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_xkeyboard.moc"
