// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A theme's form, bound by the login widget and by the bar of general controls as the
// themes bind theirs, then driven a little. A form that lacks a named control ends in
// the library's exception; Qt's own form reader is not the target, so inputs that are no
// form, or that ask Qt for enormous tables, are passed over.
#include "CommonWidget.h"
#include "Exceptions.h"
#include "FuzzSupport.h"
#include "LoginWidget.h"
#include "ThemeDescription.h"
#include "ThemeWidgetCreator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>

namespace
{

QString themeDir;

/// Row and column counts past this only measure Qt's table allocation.
constexpr int largestTable = 64;

bool asksForHugeTable(const QByteArray& form)
{
    static const QRegularExpression count(QStringLiteral("(?:rowCount|columnCount)\"\\s*>\\s*<number>\\s*\\+?(\\d+)"));
    QRegularExpressionMatchIterator it = count.globalMatch(QString::fromUtf8(form));
    while (it.hasNext()) {
        bool ok = false;
        const int value = it.next().captured(1).toInt(&ok);
        if (!ok || value > largestTable)
            return true;
    }
    return false;
}

void copyTheme(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
    for (const QString& name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copyTheme(source.filePath(name), to + QLatin1Char('/') + name);
}

UsersData someUsers(int count)
{
    UsersData users;
    for (int i = 0; i < count; ++i) {
        UserData user;
        user.username = QStringLiteral("user%1").arg(i);
        user.hostname = QStringLiteral("workstation");
        user.hasToken = i % 3 == 0;
        users.append(user);
    }
    return users;
}

/// Deletes the form when the widget never took it (a throw before it was adopted).
void dropUnadopted(const QPointer<QWidget>& form)
{
    if (form && !form->parent())
        delete form.data();
}

void bindLoginWidget(QWidget* form, const ThemeDescription& description)
{
    QPointer<QWidget> guard(form);
    try {
        LoginWidget widget;
        widget.load(form, description);
        // What the standard theme does next: users in, pages switched, a resize.
        widget.setUsers(someUsers(2), false);
        widget.setCurrentAuthPage(LoginWidget::UserInfoPage, false);
        widget.setUsers(someUsers(7), true);
        widget.setCurrentCommonWidgetPage(LoginWidget::AllUsersPage);
        widget.setNextUsersPage();
        widget.filterChanged(QStringLiteral("user1"));
        widget.setCurrentAuthPage(LoginWidget::EnterUsernamePage, true);
        widget.updateHostsList({ QStringLiteral("Local computer"), QStringLiteral("corp.example") });
        widget.setGreetString(QStringLiteral("Welcome to %1"));
        widget.resize(1024, 768);
        widget.escapeKeyShortcutActivated();
    } catch (const DetailsException&) {
    }
    dropUnadopted(guard);
}

void bindCommonWidget(QWidget* form)
{
    QPointer<QWidget> guard(form);
    try {
        CommonWidget widget;
        widget.load(form);
        QMap<QString, SessionDescription> sessions;
        for (const char* type : { "plasma", "xfce", "gnome" }) {
            SessionDescription session;
            session.type = QString::fromLatin1(type);
            session.names.insert(QString(), session.type);
            sessions.insert(session.type, session);
        }
        widget.setAvailableSessions(sessions);
        widget.createSessionActions();
        widget.updateLastUserSession(QStringLiteral("xfce"));
        widget.changeLayout(QStringLiteral("us"));
        widget.enableShutdownWidgets(true);
        widget.lockAllControls(true);
        widget.lockAllControls(false);
    } catch (const DetailsException&) {
    }
    dropUnadopted(guard);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::prepareEnvironment();
    FuzzSupport::silenceQtMessages();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: Qt cannot take its application object down among the static destructors.
    new QApplication(*argc, *argv);
    // The theme's own item forms, icons and pictures next to the form under test, so that
    // relative resources resolve as they do for a real theme.
    themeDir = FuzzSupport::path(QStringLiteral("/usr/share/nimb-dm/themes/modern"));
    copyTheme(QStringLiteral(VESTIBULE_FUZZ_THEME_DIR), themeDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    if (asksForHugeTable(bytes))
        return 0;
    const QString file = themeDir + QStringLiteral("/fuzz_form.ui");
    FuzzSupport::writeFile(file, bytes);
    const ThemeDescription description(themeDir + QStringLiteral("/RezGreeterTheme.desktop"));

    if (QWidget* form = ThemeWidgetCreator::create(file))
        bindLoginWidget(form, description);
    if (QWidget* form = ThemeWidgetCreator::create(file))
        bindCommonWidget(form);
    // Deleted widgets and single-shot focus changes come due on the next turn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return 0;
}
