// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "NssDatabase.h"
#include "StderrCapture.h"
#include "UserGroups.h"
#include "UserIcon.h"
#include "UserInfo.h"

#include <QApplication>
#include <QTest>

/// An empty user database: every listing is empty and nothing crashes.
class EmptyUserDatabaseTest : public QObject
{
    Q_OBJECT
public:
    explicit EmptyUserDatabaseTest(const NssDatabase& database)
        : m_database(database)
    {
    }

private Q_SLOTS:
    void everythingIsEmpty()
    {
        QVERIFY(UserInfo::getUserList().isEmpty());
        QVERIFY(!UserInfo::getUser(QStringLiteral("root")).isValid());
        UserInfo::Filter filter;
        filter.showAll = true;
        filter.maxUid = 60000;
        filter.showRoot = true;
        QVERIFY(UserInfo::getUserList(filter).isEmpty());
        filter.showAll = false;
        filter.selectedUsers = QStringList { QStringLiteral("root"), QStringLiteral("@root") };
        QVERIFY(UserInfo::getUserList(filter).isEmpty());
        QVERIFY(UserIcon::getUserIcons(m_database.path(), PreferUser).isEmpty());

        StderrCapture errors;
        QVERIFY(!Utils::isUserNameInGroup("root", "root"));
        QCOMPARE(errors.text(), QByteArray("libnimbcore: getpwnam(root) failed\n"));
    }

private:
    const NssDatabase& m_database;
};

VESTIBULE_NSS_TEST_MAIN(EmptyUserDatabaseTest, QByteArray(), QByteArray())
#include "tst_userinfo_empty.moc"
