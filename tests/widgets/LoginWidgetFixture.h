// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "LoginWidget.h"
#include "ThemeInfo.h"
#include "ThemeWidgetCreator.h"

#include <QPixmap>

#include <functional>
#include <initializer_list>

/**
 * A login widget bound to a theme's central form (the fixture theme unless another
 * directory is given), optionally in generic mode; @p adjust may change the form before
 * it is loaded.
 */
struct LoginWidgetFixture {
    explicit LoginWidgetFixture(bool generic = false, const std::function<void(QWidget*)>& adjust = {},
        const QString& themeDir = QStringLiteral(FIXTURE_THEME_DIR))
    {
        ThemeInfo info(themeDir);
        info.read();
        QWidget* form = ThemeWidgetCreator::create(themeDir + QStringLiteral("/central_widget.ui"));
        if (adjust)
            adjust(form);
        if (generic)
            widget.loadGeneric(form, info.description());
        else
            widget.load(form, info.description());
    }

    template<typename T>
    T* child(const char* name) const
    {
        return widget.findChild<T*>(QString::fromLatin1(name));
    }

    LoginWidget widget;
};

/// Users with the given names; a name starting with "*" has a token (the "*" is dropped).
inline UsersData makeUsers(std::initializer_list<const char*> names)
{
    UsersData users;
    for (const char* name : names) {
        UserData user;
        QString text = QString::fromUtf8(name);
        if (text.startsWith(QLatin1Char('*'))) {
            user.hasToken = true;
            text.remove(0, 1);
        }
        user.username = text;
        user.hostname = QStringLiteral("station");
        QPixmap face(32, 32);
        face.fill(Qt::darkGreen);
        user.icon = QIcon(face);
        users.append(user);
    }
    return users;
}

/// @p count users named user00, user01, ...
inline UsersData numberedUsers(int count)
{
    UsersData users;
    for (int i = 0; i < count; ++i) {
        UserData user;
        user.username = QStringLiteral("user%1").arg(i, 2, 10, QLatin1Char('0'));
        users.append(user);
    }
    return users;
}
