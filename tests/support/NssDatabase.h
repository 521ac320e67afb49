// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/**
 * A private user database for nss_wrapper: passwd and group files in a temporary directory,
 * with the process pointed at them. The test process must be started with nss_wrapper
 * preloaded (CTest does that for these tests) and must create this object before anything
 * asks the user database, because nss_wrapper reads the file names once.
 *
 * "@DIR@" in either text is replaced by the temporary directory, so home directories can
 * live below it.
 */
class NssDatabase
{
public:
    NssDatabase(const QByteArray& passwd, const QByteArray& group);
    ~NssDatabase();
    NssDatabase(const NssDatabase&) = delete;
    NssDatabase& operator=(const NssDatabase&) = delete;

    QString path() const;
    /// @p relative below the temporary directory.
    QString filePath(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

/// main() of a test whose class takes the database in its constructor.
#define VESTIBULE_NSS_TEST_MAIN(TestClass, passwdText, groupText)                                                      \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        NssDatabase database { passwdText, groupText };                                                                \
        QApplication app(argc, argv);                                                                                  \
        TestClass test(database);                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
