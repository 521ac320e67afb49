// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "CommonWidget.h"
#include "Exceptions.h"
#include "MetaSignatures.h"
#include "ThemeWidgetCreator.h"
#include "Utils.h"
#include "WidgetMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>

#include <memory>

namespace
{

const QString formPath = QStringLiteral(MODERN_THEME_DIR "/common_widget.ui");

SessionDescription session(
    const QString& type, const QString& name, const QString& russianName = QString(), const QString& alias = QString())
{
    SessionDescription description;
    description.type = type;
    description.names.insert(QString(), name);
    if (!russianName.isEmpty())
        description.names.insert(QStringLiteral("ru"), russianName);
    description.alias = alias;
    return description;
}

QMap<QString, SessionDescription> sessions(const QList<SessionDescription>& list)
{
    QMap<QString, SessionDescription> map;
    for (const SessionDescription& description : list)
        map.insert(description.type, description);
    return map;
}

/// The common widget on the default theme's form, shown in a window of its own beside a password field.
struct Bar {
    QWidget window;
    CommonWidget* widget = nullptr;
    QLineEdit* password = nullptr;

    Bar()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        widget = new CommonWidget(&window);
        widget->load(ThemeWidgetCreator::create(formPath));
        layout->addWidget(widget);
        password = new QLineEdit(&window);
        password->setObjectName(QStringLiteral("passwordLineEdit"));
        Utils::findWidget<QGridLayout*>(QStringLiteral("centralGridLayout"), widget)->addWidget(password);
        window.resize(1024, 640);
    }

    template<typename T = QToolButton*>
    T find(const char* name) const
    {
        return Utils::findWidget<T>(QString::fromLatin1(name), widget);
    }

    QMenu* sessionsMenu() const { return find("sessionsToolButton")->menu(); }
    QMenu* actionsMenu() const { return find("actionsToolButton")->menu(); }

    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QStringList sessionTexts() const
    {
        QStringList texts;
        const QList<QAction*> actions = sessionsMenu()->actions();
        for (const QAction* action : actions)
            texts << action->text();
        return texts;
    }

    QAction* sessionAction(const QString& type) const
    {
        const QList<QAction*> actions = sessionsMenu()->actions();
        for (QAction* action : actions) {
            if (action->data().toString() == type)
                return action;
        }
        return nullptr;
    }

    /// Clicks the entry of an open menu the way a user does.
    static void clickEntry(QMenu* menu, QAction* action)
    {
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    }
};

bool russian()
{
    return Utils::shortSystemLocale() == QLatin1String("ru");
}

} // namespace

class CommonWidgetTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formOfTheDefaultThemeLoads();
    void missingControlThrows_data();
    void missingControlThrows();
    void declarationOrder();
    void buttonsEmitTheirRequests_data();
    void buttonsEmitTheirRequests();
    void visibilityAndLocking();
    void layoutText_data();
    void layoutText();
    void sessionMenuFollowsTypeOrderAndLocale();
    void noSessionsHideTheButton();
    void previousSessionIsMarkedAndPreselected();
    void sameUserSessionTwiceTriggersOnce();
    void buttonShowsAliasOrDefaultText();
    void menuToggledByItsButton();
    void outsideClicksCloseMenusButNotSubmenuClicks();
    void actionsMenuTakesSubmenusAndActions();
    void menuKeysHideOrEnter_data();
    void menuKeysHideOrEnter();
    void shortcutsOpenAndTrigger();
    void tabChainRunsThroughTheLoginArea();
    void russianCatalogueReachesFormAndMarker();
};

void CommonWidgetTest::formOfTheDefaultThemeLoads()
{
    Bar bar;
    QCOMPARE(bar.widget->mainWidgetName(), QStringLiteral("commonWidgetForm"));
    QVERIFY(bar.widget->layout());
    QCOMPARE(bar.widget->layout()->contentsMargins(), QMargins());
    // The theme plug-ins look these up in the same form.
    QVERIFY(bar.find<QWidget*>("dateTimeWidget")->findChild<QLabel*>(QStringLiteral("dateLabel")));
    QVERIFY(bar.find<QWidget*>("dateTimeWidget")->findChild<QLabel*>(QStringLiteral("timeLabel")));

    QVERIFY(bar.showActive());
    QVERIFY(!bar.find<QLabel*>("loginFailedLabel")->isVisible());
    QVERIFY(!bar.find("actionsToolButton")->isVisible());
    QVERIFY(!bar.find("sessionsToolButton")->isVisible());
    QVERIFY(bar.find("shutdownToolButton")->isVisible());

    QVERIFY(qobject_cast<WidgetMenu*>(bar.actionsMenu()));
    QVERIFY(qobject_cast<WidgetMenu*>(bar.sessionsMenu()));
    QVERIFY(!bar.sessionsMenu()->isWindow());
    QCOMPARE(bar.sessionsMenu()->parentWidget(), bar.widget);
    QCOMPARE(bar.sessionsMenu()->styleSheet(), bar.find<QWidget*>("commonWidgetForm")->styleSheet());

    const QList<QToolButton*> buttons = bar.widget->findChildren<QToolButton*>();
    QCOMPARE(buttons.size(), 7);
    for (const QToolButton* button : buttons) {
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
        QVERIFY2(button->focusPolicy() & Qt::TabFocus, qPrintable(button->objectName()));
    }
    for (const char* name :
        { "virtualKeyboardToolButton", "suspendToolButton", "rebootToolButton", "shutdownToolButton" })
        QVERIFY2(!bar.find(name)->icon().pixmap(24).isNull(), name);
}

void CommonWidgetTest::missingControlThrows_data()
{
    QTest::addColumn<QString>("missing");
    for (const char* name :
        { "loginFailedLabel", "modeLabel", "menusWidget", "virtualKeyboardToolButton", "suspendToolButton",
            "rebootToolButton", "shutdownToolButton", "layoutToolButton", "actionsToolButton", "sessionsToolButton" })
        QTest::newRow(name) << QString::fromLatin1(name);
}

void CommonWidgetTest::missingControlThrows()
{
    QFETCH(QString, missing);
    std::unique_ptr<QWidget> form(ThemeWidgetCreator::create(formPath));
    QWidget* doomed = form->findChild<QWidget*>(missing);
    QVERIFY(doomed);
    doomed->setObjectName(QStringLiteral("renamed"));

    CommonWidget widget;
    widget.setObjectName(QStringLiteral("bar"));
    try {
        widget.load(form.release());
        QFAIL("load accepted a form without every control");
    } catch (const CommonException& error) {
        QCOMPARE(error.fullDetails(), QStringLiteral("Widget '%1' not found in parent 'bar'").arg(missing));
    }
}

void CommonWidgetTest::declarationOrder()
{
    QCOMPARE(MetaSignatures::ownSignals(CommonWidget::staticMetaObject),
        (QStringList { QStringLiteral("openVirtualKeyboardRequest()"), QStringLiteral("suspendRequest()"),
            QStringLiteral("rebootRequest()"), QStringLiteral("shutdownRequest()"),
            QStringLiteral("changeLayoutRequest()"), QStringLiteral("currentSessionTypeChanged(QString)"),
            QStringLiteral("aboutToShowAvailibleSessionsMenu()") }));
    const QStringList methods = MetaSignatures::ownMethods(CommonWidget::staticMetaObject);
    QCOMPARE(methods.mid(7),
        (QStringList { QStringLiteral("changeLayout(QString)"), QStringLiteral("updateLastUserSession(QString)"),
            QStringLiteral("sessionsMenuActionTriggered(QAction*)") }));
    QCOMPARE(MetaSignatures::ownMethods(WidgetMenu::staticMetaObject),
        (QStringList { QStringLiteral("toolButtonPressed()"), QStringLiteral("performAboutToHide()") }));
}

void CommonWidgetTest::buttonsEmitTheirRequests_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("on-screen keyboard") << QStringLiteral("virtualKeyboardToolButton")
                                        << QByteArray(SIGNAL(openVirtualKeyboardRequest()));
    QTest::newRow("suspend") << QStringLiteral("suspendToolButton") << QByteArray(SIGNAL(suspendRequest()));
    QTest::newRow("reboot") << QStringLiteral("rebootToolButton") << QByteArray(SIGNAL(rebootRequest()));
    QTest::newRow("shutdown") << QStringLiteral("shutdownToolButton") << QByteArray(SIGNAL(shutdownRequest()));
    QTest::newRow("layout") << QStringLiteral("layoutToolButton") << QByteArray(SIGNAL(changeLayoutRequest()));
}

void CommonWidgetTest::buttonsEmitTheirRequests()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);
    Bar bar;
    QVERIFY(bar.showActive());
    QSignalSpy requested(bar.widget, signal.constData());
    QSignalSpy anyOther(bar.widget, SIGNAL(currentSessionTypeChanged(QString)));
    QTest::mouseClick(Utils::findWidget<QToolButton*>(button, bar.widget), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
    QCOMPARE(anyOther.count(), 0);

    // Locked controls ask for nothing.
    bar.widget->lockAllControls(true);
    QTest::mouseClick(Utils::findWidget<QToolButton*>(button, bar.widget), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
}

void CommonWidgetTest::visibilityAndLocking()
{
    Bar bar;
    QVERIFY(bar.showActive());
    bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("plasma"), QStringLiteral("Plasma")) }));
    QAction reboot(QStringLiteral("Reboot"));
    bar.widget->setActions({ &reboot }, {});

    bar.widget->enableLoginFailedWidget(true);
    QVERIFY(bar.find<QLabel*>("loginFailedLabel")->isVisible());
    bar.widget->enableShutdownWidgets(false);
    QVERIFY(!bar.find("rebootToolButton")->isVisible());
    QVERIFY(!bar.find("shutdownToolButton")->isVisible());
    QVERIFY(bar.find("suspendToolButton")->isVisible());
    bar.widget->enableSleepWidgets(false);
    QVERIFY(!bar.find("suspendToolButton")->isVisible());
    bar.widget->enableShutdownWidgets(true);
    QVERIFY(bar.find("shutdownToolButton")->isVisible());
    bar.widget->setPelioModeText(QStringLiteral("Enhanced security level"));
    QCOMPARE(bar.find<QLabel*>("modeLabel")->text(), QStringLiteral("Enhanced security level"));

    bar.widget->showActionsMenu(true);
    QVERIFY(bar.actionsMenu()->isVisible());
    bar.widget->lockAllControls(true);
    const QList<QToolButton*> buttons = bar.widget->findChildren<QToolButton*>();
    for (const QToolButton* button : buttons)
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(bar.find<QWidget*>("menusWidget")->isEnabled());
    QVERIFY(!bar.actionsMenu()->isVisible());
    bar.widget->lockAllControls(false);
    for (const QToolButton* button : buttons)
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));

    bar.widget->showActionsMenu(true);
    QVERIFY(bar.actionsMenu()->isVisible());
    bar.widget->showActionsMenu(false);
    QVERIFY(!bar.actionsMenu()->isVisible());

    bar.find("actionsToolButton")->setFocus();
    QVERIFY(bar.find("actionsToolButton")->hasFocus());
    bar.widget->resetFocus();
    QVERIFY(!bar.find("actionsToolButton")->hasFocus());
}

void CommonWidgetTest::layoutText_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("shown");
    QTest::newRow("us is shown as EN") << QStringLiteral("us") << QStringLiteral("EN");
    QTest::newRow("US as well") << QStringLiteral("US") << QStringLiteral("EN");
    QTest::newRow("ru upper case") << QStringLiteral("ru") << QStringLiteral("RU");
    QTest::newRow("variant kept") << QStringLiteral("us(dvorak)") << QStringLiteral("US(DVORAK)");
    QTest::newRow("empty") << QString() << QString();
}

void CommonWidgetTest::layoutText()
{
    QFETCH(QString, layout);
    QFETCH(QString, shown);
    Bar bar;
    bar.widget->changeLayout(layout);
    QCOMPARE(bar.find("layoutToolButton")->text(), shown);
}

void CommonWidgetTest::sessionMenuFollowsTypeOrderAndLocale()
{
    Bar bar;
    QVERIFY(bar.showActive());
    SessionDescription nameless;
    nameless.type = QStringLiteral("aaa-nameless");
    bar.widget->setAvailableSessions(
        sessions({ session(QStringLiteral("xfce"), QStringLiteral("Xfce Session"), QStringLiteral("Сеанс Xfce")),
            session(QStringLiteral("gnome"), QStringLiteral("GNOME")),
            session(QStringLiteral("plasma"), QStringLiteral("Plasma"), QStringLiteral("Плазма")), nameless }));

    const QStringList expected = russian()
        ? QStringList { QString(), QStringLiteral("GNOME"), QStringLiteral("Плазма"), QStringLiteral("Сеанс Xfce") }
        : QStringList { QString(), QStringLiteral("GNOME"), QStringLiteral("Plasma"), QStringLiteral("Xfce Session") };
    QCOMPARE(bar.sessionTexts(), expected);
    const QList<QAction*> actions = bar.sessionsMenu()->actions();
    QCOMPARE(actions.at(2)->data().toString(), QStringLiteral("plasma"));
    for (const QAction* action : actions) {
        QVERIFY(action->isCheckable());
        QVERIFY(!action->isChecked());
        QVERIFY(action->actionGroup());
        QVERIFY(action->actionGroup()->isExclusive());
        QCOMPARE(action->actionGroup(), actions.first()->actionGroup());
    }
    QVERIFY(bar.find("sessionsToolButton")->isVisible());
    QCOMPARE(bar.widget->selectedSessionType(), QString());

    // A second call replaces every entry.
    bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("openbox"), QStringLiteral("Openbox")) }));
    QCOMPARE(bar.sessionTexts(), QStringList { QStringLiteral("Openbox") });

    // The theme refreshes its choice once per opening, however often the sessions were set.
    QSignalSpy aboutToShow(bar.widget, &CommonWidget::aboutToShowAvailibleSessionsMenu);
    QTest::mouseClick(bar.find("sessionsToolButton"), Qt::LeftButton);
    QVERIFY(bar.sessionsMenu()->isVisible());
    QCOMPARE(aboutToShow.count(), 1);
}

void CommonWidgetTest::noSessionsHideTheButton()
{
    Bar bar;
    QVERIFY(bar.showActive());
    bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("plasma"), QStringLiteral("Plasma")) }));
    QVERIFY(bar.find("sessionsToolButton")->isVisible());
    bar.widget->setAvailableSessions({});
    QVERIFY(!bar.find("sessionsToolButton")->isVisible());
    QVERIFY(bar.sessionsMenu()->actions().isEmpty());
    QCOMPARE(bar.widget->selectedSessionType(), QString());
}

void CommonWidgetTest::previousSessionIsMarkedAndPreselected()
{
    Bar bar;
    QVERIFY(bar.showActive());
    bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("x"), QStringLiteral("Ex")),
        session(QStringLiteral("y"), QStringLiteral("Why")), session(QStringLiteral("z"), QStringLiteral("Zed")) }));
    QSignalSpy changed(bar.widget, &CommonWidget::currentSessionTypeChanged);

    // User A's previous session is x, then user B's is y: no manual choice yet.
    bar.widget->updateLastUserSession(QStringLiteral("x"));
    QCOMPARE(bar.sessionTexts(),
        (QStringList { QStringLiteral("Ex (previous)"), QStringLiteral("Why"), QStringLiteral("Zed") }));
    QCOMPARE(bar.widget->selectedSessionType(), QStringLiteral("x"));
    bar.widget->updateLastUserSession(QStringLiteral("y"));
    QCOMPARE(bar.sessionTexts(),
        (QStringList { QStringLiteral("Ex"), QStringLiteral("Why (previous)"), QStringLiteral("Zed") }));
    QCOMPARE(bar.widget->selectedSessionType(), QStringLiteral("y"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toString(), QStringLiteral("y"));

    // The user picks z by hand in the menu.
    QTest::mouseClick(bar.find("sessionsToolButton"), Qt::LeftButton);
    QVERIFY(bar.sessionsMenu()->isVisible());
    Bar::clickEntry(bar.sessionsMenu(), bar.sessionAction(QStringLiteral("z")));
    QVERIFY(!bar.sessionsMenu()->isVisible());
    QCOMPARE(bar.widget->selectedSessionType(), QStringLiteral("z"));
    QCOMPARE(changed.count(), 3);

    // From now on only the marker moves.
    bar.widget->updateLastUserSession(QStringLiteral("x"));
    QCOMPARE(bar.sessionTexts(),
        (QStringList { QStringLiteral("Ex (previous)"), QStringLiteral("Why"), QStringLiteral("Zed") }));
    QCOMPARE(bar.widget->selectedSessionType(), QStringLiteral("z"));
    QCOMPARE(changed.count(), 3);

    // A user without a known previous session takes the marker away.
    bar.widget->updateLastUserSession(QString());
    QCOMPARE(bar.sessionTexts(), (QStringList { QStringLiteral("Ex"), QStringLiteral("Why"), QStringLiteral("Zed") }));
}

void CommonWidgetTest::sameUserSessionTwiceTriggersOnce()
{
    Bar bar;
    bar.widget->setAvailableSessions(sessions(
        { session(QStringLiteral("x"), QStringLiteral("Ex")), session(QStringLiteral("y"), QStringLiteral("Why")) }));
    QSignalSpy changed(bar.widget, &CommonWidget::currentSessionTypeChanged);
    bar.widget->updateLastUserSession(QStringLiteral("y"));
    bar.widget->updateLastUserSession(QStringLiteral("y"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(bar.sessionTexts(), (QStringList { QStringLiteral("Ex"), QStringLiteral("Why (previous)") }));

    // An unknown type marks nothing and selects nothing new.
    bar.widget->updateLastUserSession(QStringLiteral("gone"));
    QCOMPARE(bar.sessionTexts(), (QStringList { QStringLiteral("Ex"), QStringLiteral("Why") }));
    QCOMPARE(bar.widget->selectedSessionType(), QStringLiteral("y"));
    QCOMPARE(changed.count(), 1);
}

void CommonWidgetTest::buttonShowsAliasOrDefaultText()
{
    Bar bar;
    bar.widget->setAvailableSessions(
        sessions({ session(QStringLiteral("plasma"), QStringLiteral("Plasma"), QString(), QStringLiteral("Desktop")),
            session(QStringLiteral("icewm"), QStringLiteral("IceWM")) }));
    QSignalSpy changed(bar.widget, &CommonWidget::currentSessionTypeChanged);
    bar.sessionAction(QStringLiteral("plasma"))->trigger();
    QCOMPARE(bar.find("sessionsToolButton")->text(), QStringLiteral("Desktop"));
    bar.sessionAction(QStringLiteral("icewm"))->trigger();
    QCOMPARE(bar.find("sessionsToolButton")->text(), QStringLiteral("Session type"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("plasma"));
    QCOMPARE(changed.at(1).at(0).toString(), QStringLiteral("icewm"));

    // An action of no available session gives the default text, and its type is passed on.
    QAction stranger(QStringLiteral("Stranger"));
    stranger.setData(QStringLiteral("stranger"));
    bar.widget->sessionsMenuActionTriggered(&stranger);
    QCOMPARE(bar.find("sessionsToolButton")->text(), QStringLiteral("Session type"));
    QCOMPARE(changed.at(2).at(0).toString(), QStringLiteral("stranger"));
}

void CommonWidgetTest::menuToggledByItsButton()
{
    Bar bar;
    QVERIFY(bar.showActive());
    bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("plasma"), QStringLiteral("Plasma")) }));
    QToolButton* button = bar.find("sessionsToolButton");
    QMenu* menu = bar.sessionsMenu();

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(menu->isVisible());
    QCOMPARE(button->arrowType(), Qt::UpArrow);
    // The menu opens inside the window, next to its button.
    const QRect buttonOnScreen(button->mapToGlobal(QPoint()), button->size());
    const QRect menuOnScreen(menu->mapToGlobal(QPoint()), menu->size());
    QVERIFY(bar.window.rect().contains(bar.window.mapFromGlobal(menuOnScreen.topLeft())));
    QVERIFY(menuOnScreen.bottom() < buttonOnScreen.top() || menuOnScreen.top() > buttonOnScreen.bottom());
    QCOMPARE(menuOnScreen.left(), buttonOnScreen.left());

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!menu->isVisible());
    QCOMPARE(button->arrowType(), Qt::DownArrow);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(menu->isVisible());

    // Opening the other menu closes this one.
    QAction reboot(QStringLiteral("Reboot"));
    bar.widget->setActions({ &reboot }, {});
    QTest::mouseClick(bar.find("actionsToolButton"), Qt::LeftButton);
    QVERIFY(bar.actionsMenu()->isVisible());
    QVERIFY(!menu->isVisible());

    // Choosing an entry closes the menu it is in.
    QSignalSpy triggered(&reboot, &QAction::triggered);
    Bar::clickEntry(bar.actionsMenu(), &reboot);
    QCOMPARE(triggered.count(), 1);
    QVERIFY(!bar.actionsMenu()->isVisible());
}

void CommonWidgetTest::outsideClicksCloseMenusButNotSubmenuClicks()
{
    Bar bar;
    QVERIFY(bar.showActive());
    QMenu switchSession(QStringLiteral("Switch session"));
    QAction first(QStringLiteral("Session 1"));
    switchSession.addAction(&first);
    QAction reboot(QStringLiteral("Reboot"));
    bar.widget->setActions({ &reboot }, { &switchSession });
    QMenu* menu = bar.actionsMenu();

    QTest::mouseClick(bar.find("actionsToolButton"), Qt::LeftButton);
    QVERIFY(menu->isVisible());
    // A press inside the menu keeps it open, so the release can choose the entry.
    QTest::mousePress(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(&reboot).center());
    QVERIFY(menu->isVisible());

    // Open the submenu from the keyboard; a press on its entry must not close the menu under it.
    menu->setFocus();
    menu->setActiveAction(switchSession.menuAction());
    QTest::keyClick(menu, Qt::Key_Right);
    QTRY_VERIFY(switchSession.isVisible());
    QTest::mousePress(&switchSession, Qt::LeftButton, Qt::NoModifier, switchSession.actionGeometry(&first).center());
    QVERIFY(menu->isVisible());
    QVERIFY(switchSession.isVisible());
    QSignalSpy chosen(&first, &QAction::triggered);
    QTest::mouseRelease(&switchSession, Qt::LeftButton, Qt::NoModifier, switchSession.actionGeometry(&first).center());
    QCOMPARE(chosen.count(), 1);
    QVERIFY(!menu->isVisible());

    // Open both again: a click anywhere else closes the menu and its submenu.
    QTest::mouseClick(bar.find("actionsToolButton"), Qt::LeftButton);
    menu->setFocus();
    menu->setActiveAction(switchSession.menuAction());
    QTest::keyClick(menu, Qt::Key_Right);
    QTRY_VERIFY(switchSession.isVisible());
    QTest::mouseClick(bar.password, Qt::LeftButton);
    QVERIFY(!menu->isVisible());
    QTRY_VERIFY(!switchSession.isVisible());
    QCOMPARE(bar.find("actionsToolButton")->arrowType(), Qt::DownArrow);
    QCOMPARE(switchSession.styleSheet(), menu->styleSheet());
}

void CommonWidgetTest::actionsMenuTakesSubmenusAndActions()
{
    Bar bar;
    QVERIFY(bar.showActive());
    QMenu submenu(QStringLiteral("Switch session"));
    QAction reboot(QStringLiteral("Reboot"));
    QAction shutdown(QStringLiteral("Shut down"));
    bar.widget->setActions({ &reboot, &shutdown }, { &submenu });
    QCOMPARE(bar.actionsMenu()->actions(), (QList<QAction*> { submenu.menuAction(), &reboot, &shutdown }));
    QVERIFY(bar.find("actionsToolButton")->isVisible());

    // Menus only: nothing the button could offer on its own.
    bar.widget->setActions({}, { &submenu });
    QCOMPARE(bar.actionsMenu()->actions(), QList<QAction*> { submenu.menuAction() });
    QVERIFY(!bar.find("actionsToolButton")->isVisible());
}

void CommonWidgetTest::menuKeysHideOrEnter_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("entersMenu");
    for (const char* button : { "actionsToolButton", "sessionsToolButton" }) {
        const QString name = QString::fromLatin1(button);
        QTest::addRow("%s Tab", button) << name << int(Qt::Key_Tab) << false;
        QTest::addRow("%s Backtab", button) << name << int(Qt::Key_Backtab) << false;
        QTest::addRow("%s Left", button) << name << int(Qt::Key_Left) << false;
        QTest::addRow("%s Up", button) << name << int(Qt::Key_Up) << false;
        QTest::addRow("%s Right", button) << name << int(Qt::Key_Right) << false;
        QTest::addRow("%s Down", button) << name << int(Qt::Key_Down) << true;
    }
}

void CommonWidgetTest::menuKeysHideOrEnter()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(bool, entersMenu);
    Bar bar;
    bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("plasma"), QStringLiteral("Plasma")) }));
    QAction reboot(QStringLiteral("Reboot"));
    bar.widget->setActions({ &reboot }, {});
    QVERIFY(bar.showActive());
    QToolButton* toolButton = Utils::findWidget<QToolButton*>(button, bar.widget);
    toolButton->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(toolButton, Qt::LeftButton);
    QMenu* menu = toolButton->menu();
    QVERIFY(menu->isVisible());
    QVERIFY(toolButton->hasFocus());

    QTest::keyClick(toolButton, Qt::Key(key));
    QCOMPARE(menu->isVisible(), entersMenu);
    if (!entersMenu)
        return;
    QTRY_VERIFY(menu->hasFocus());
    QCOMPARE(menu->activeAction(), menu->actions().first());
    // Tab leaves the menu: it closes and the focus is back on its button.
    QTest::keyClick(menu, Qt::Key_Tab);
    QVERIFY(!menu->isVisible());
    QVERIFY(toolButton->hasFocus());
}

void CommonWidgetTest::shortcutsOpenAndTrigger()
{
    Bar bar;
    bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("gnome"), QStringLiteral("GNOME")),
        session(QStringLiteral("plasma"), QStringLiteral("Plasma")) }));
    QAction reboot(QStringLiteral("Reboot"));
    bar.widget->setActions({ &reboot }, {});
    QVERIFY(bar.showActive());
    bar.password->setFocus();
    QSignalSpy keyboard(bar.widget, &CommonWidget::openVirtualKeyboardRequest);
    QSignalSpy changed(bar.widget, &CommonWidget::currentSessionTypeChanged);

    // A shortcut clicks its button the animated way: the click lands a moment later.
    QTest::keyClick(bar.password, Qt::Key_K, Qt::AltModifier);
    QTRY_COMPARE(keyboard.count(), 1);

    // Alt+Y opens the session menu with the keyboard in it: Down, Return picks the second.
    QTest::keyClick(bar.password, Qt::Key_Y, Qt::AltModifier);
    QVERIFY(bar.sessionsMenu()->isVisible());
    QTRY_VERIFY(bar.sessionsMenu()->hasFocus());
    QTest::keyClick(bar.sessionsMenu(), Qt::Key_Down);
    QTest::keyClick(bar.sessionsMenu(), Qt::Key_Return);
    QVERIFY(!bar.sessionsMenu()->isVisible());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(bar.widget->selectedSessionType(), QStringLiteral("plasma"));
    QVERIFY(bar.find("sessionsToolButton")->hasFocus());

    // Alt+O opens the actions menu with the keyboard in it; Escape closes it and leaves the
    // focus on its button.
    QToolButton* actions = bar.find("actionsToolButton");
    QTest::keyClick(bar.password, Qt::Key_O, Qt::AltModifier);
    QVERIFY(bar.actionsMenu()->isVisible());
    QTRY_VERIFY(bar.actionsMenu()->hasFocus());
    QCOMPARE(bar.actionsMenu()->activeAction(), &reboot);
    QTest::keyClick(bar.actionsMenu(), Qt::Key_Escape);
    QVERIFY(!bar.actionsMenu()->isVisible());
    QVERIFY(actions->hasFocus());

    // A menu opened by the mouse leaves the focus where it was; Alt+O then closes it.
    QTRY_VERIFY(!actions->isDown());
    bar.password->setFocus();
    QTest::mouseClick(actions, Qt::LeftButton);
    QVERIFY(bar.actionsMenu()->isVisible());
    QVERIFY(bar.password->hasFocus());
    QTest::keyClick(bar.password, Qt::Key_O, Qt::AltModifier);
    QVERIFY(!bar.actionsMenu()->isVisible());
}

void CommonWidgetTest::tabChainRunsThroughTheLoginArea()
{
    Bar bar;
    bar.widget->insertWidgetToTabOrder(bar.password);
    QVERIFY(bar.showActive());
    bar.password->setFocus();
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited,
        (QStringList { QStringLiteral("virtualKeyboardToolButton"), QStringLiteral("rebootToolButton"),
            QStringLiteral("suspendToolButton"), QStringLiteral("shutdownToolButton") }));
}

void CommonWidgetTest::russianCatalogueReachesFormAndMarker()
{
    // The form's texts are translated in the widget's own context, like its code's texts.
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(LIBRARY_CATALOGUE_RU)));
    QCoreApplication::installTranslator(&translator);
    {
        Bar bar;
        bar.widget->setAvailableSessions(sessions({ session(QStringLiteral("x"), QStringLiteral("Ex")) }));
        bar.widget->updateLastUserSession(QStringLiteral("x"));
        QCOMPARE(bar.sessionTexts(), QStringList { QStringLiteral("Ex (предыдущий)") });
        QCOMPARE(bar.find("shutdownToolButton")->accessibleName(), QStringLiteral("Выключить"));
        QCOMPARE(bar.find("sessionsToolButton")->text(), QStringLiteral("Тип сеанса"));
    }
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(CommonWidgetTest)
#include "tst_commonwidget.moc"
