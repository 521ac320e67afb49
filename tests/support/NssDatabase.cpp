// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "NssDatabase.h"

#include "TestFiles.h"

NssDatabase::NssDatabase(const QByteArray& passwd, const QByteArray& group)
{
    const QByteArray dir = m_dir.path().toUtf8();
    QByteArray passwdText = passwd;
    QByteArray groupText = group;
    TestFiles::write(filePath(QStringLiteral("passwd")), passwdText.replace("@DIR@", dir));
    TestFiles::write(filePath(QStringLiteral("group")), groupText.replace("@DIR@", dir));
    qputenv("NSS_WRAPPER_PASSWD", filePath(QStringLiteral("passwd")).toUtf8());
    qputenv("NSS_WRAPPER_GROUP", filePath(QStringLiteral("group")).toUtf8());
}

NssDatabase::~NssDatabase()
{
    qunsetenv("NSS_WRAPPER_PASSWD");
    qunsetenv("NSS_WRAPPER_GROUP");
}

QString NssDatabase::path() const
{
    return m_dir.path();
}

QString NssDatabase::filePath(const QString& relative) const
{
    return m_dir.path() + QLatin1Char('/') + relative;
}
