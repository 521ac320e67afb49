// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "UserData.h"
#include "vestibule_common_export.h"

#include <QWidget>

class QLabel;

/**
 * One user in the login widget's user tables: round picture (with a token emblem for
 * token users), name, host line and a logged-in mark, laid out by a theme's item form.
 */
class VESTIBULE_COMMON_EXPORT UserCellWidget : public QWidget
{
    Q_OBJECT
public:
    explicit UserCellWidget(const UserData& user, QWidget* parent = nullptr);
    ~UserCellWidget() override;

    /// Takes @p form as the cell's content and shows the user in its labels; throws
    /// CommonException when a label is missing.
    void load(QWidget* form);
    UserData userData() const;

    void setUsername(const QString& username);
    void setHostname(const QString& hostname);
    void setLogged(bool logged);
    void setIcon(const QIcon& icon, bool withEmblem, const QIcon& emblem);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const UserData m_user;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_usernameLabel = nullptr;
    QLabel* m_hostnameLabel = nullptr;
    QLabel* m_isLoggedLabel = nullptr;
};
