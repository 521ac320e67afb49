// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PinOutput.h"

#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace
{

/// Reads what is left in the pipe behind @p descriptor, which has no writer any more.
QByteArray drain(int descriptor)
{
    QByteArray all;
    char buffer[256];
    ssize_t count = 0;
    while ((count = ::read(descriptor, buffer, sizeof buffer)) > 0)
        all.append(buffer, int(count));
    return all;
}

/**
 * Puts a pipe (or, with @p target given, that file) behind descriptor @p standard while
 * it lives and brings the test program's own back afterwards, also when a check fails.
 */
class RedirectedDescriptor
{
public:
    explicit RedirectedDescriptor(int standard, const char* target = nullptr)
        : m_standard(standard)
        , m_saved(::dup(standard))
    {
        std::fflush(nullptr);
        if (target) {
            const int file = ::open(target, O_WRONLY);
            ::dup2(file, standard);
            ::close(file);
        } else if (::pipe(m_pipe) == 0) {
            ::dup2(m_pipe[1], standard);
            ::close(m_pipe[1]);
        }
    }
    ~RedirectedDescriptor()
    {
        restore();
        if (m_pipe[0] >= 0)
            ::close(m_pipe[0]);
    }

    /// Gives the descriptor back and returns what arrived through the pipe.
    QByteArray restore()
    {
        if (m_saved < 0)
            return m_captured;
        std::fflush(nullptr);
        ::dup2(m_saved, m_standard);
        ::close(m_saved);
        m_saved = -1;
        if (m_pipe[0] >= 0)
            m_captured = drain(m_pipe[0]);
        return m_captured;
    }

private:
    int m_standard;
    int m_saved;
    int m_pipe[2] = { -1, -1 };
    QByteArray m_captured;
};

} // namespace

class CodegateOutputTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void onlyThePinReachesStandardOutput();
    void unwritableOutputIsReported();
    void closedOutputIsReported();
};

void CodegateOutputTest::onlyThePinReachesStandardOutput()
{
    RedirectedDescriptor error(STDERR_FILENO);
    RedirectedDescriptor output(STDOUT_FILENO);
    bool written = false;
    {
        PinOutput pin;
        // What a library or plug-in might print while the dialog is up.
        std::printf("stray line\n");
        std::fflush(stdout);
        const ssize_t raw = ::write(STDOUT_FILENO, "raw", 3);
        Q_UNUSED(raw)
        written = pin.write(QStringLiteral("0042"));
    }
    const QByteArray toCaller = output.restore();
    const QByteArray toError = error.restore();
    QVERIFY(written);
    QCOMPARE(toCaller, QByteArray("0042"));
    QCOMPARE(toError, QByteArray("stray line\nraw"));
}

void CodegateOutputTest::unwritableOutputIsReported()
{
    RedirectedDescriptor output(STDOUT_FILENO, "/dev/full");
    bool written = true;
    {
        PinOutput pin;
        written = pin.write(QStringLiteral("1"));
    }
    output.restore();
    QVERIFY(!written);
}

void CodegateOutputTest::closedOutputIsReported()
{
    RedirectedDescriptor error(STDERR_FILENO);
    RedirectedDescriptor output(STDOUT_FILENO);
    ::close(STDOUT_FILENO);
    bool written = true;
    {
        PinOutput pin;
        written = pin.write(QStringLiteral("1"));
        // Descriptor 1 is taken again, so a file opened later cannot become the output.
        std::printf("late");
        std::fflush(stdout);
    }
    output.restore();
    QVERIFY(!written);
    QCOMPARE(error.restore(), QByteArray("late"));
}

QTEST_APPLESS_MAIN(CodegateOutputTest)

#include "tst_codegateoutput.moc"
