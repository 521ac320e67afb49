// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LightDmDaemonDouble.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace
{

// Nothing the greeter protocol carries comes near this; a longer announcement means the
// stream is garbage, and waiting for that many bytes would only hide it.
constexpr quint32 maxPayload = 1024 * 1024;
constexpr int headerSize = 8;
constexpr int rawLimit = 16 * 1024 * 1024;
constexpr int maxErrors = 100;

quint32 intAt(const QByteArray& bytes, int offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

QString withErrno(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(what), QString::fromLocal8Bit(std::strerror(errno)));
}

// A greeter that closes its end makes write() raise SIGPIPE, which would end the whole test.
// The signal is held back for this one call and a pending one taken away again.
ssize_t writeWithoutSigpipe(int fd, const char* data, size_t size)
{
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    ssize_t written;
    do
        written = ::write(fd, data, size);
    while (written < 0 && errno == EINTR);
    const int error = errno;
    if (written < 0 && error == EPIPE && !alreadyPending) {
        const timespec noWait {};
        sigtimedwait(&pipeSignal, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return written;
}

} // namespace

LightDmDaemonDouble::LightDmDaemonDouble(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<LightDmDaemonDouble::Message>();
    connect(&m_process, &QProcess::readyRead, this, [this] { m_output += m_process.readAll(); });
    connect(&m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, [this] {
        m_output += m_process.readAll();
        // Everything the greeter wrote before it ended is in the pipe by now.
        readFromGreeter();
        wake();
    });
}

LightDmDaemonDouble::~LightDmDaemonDouble()
{
    stop();
    disconnect(&m_process, nullptr, this, nullptr);
    closeOurEnds();
}

void LightDmDaemonDouble::setHints(const QList<QPair<QString, QString>>& hints)
{
    m_hints = hints;
}

bool LightDmDaemonDouble::start(const QString& program, const QStringList& arguments, QProcessEnvironment environment)
{
    if (isRunning())
        return fail(QStringLiteral("cannot start %1: a greeter still runs").arg(program));
    closeOurEnds();
    m_inbox.clear();
    m_outbox.clear();
    m_raw.clear();
    m_output.clear();
    m_messages.clear();
    m_returned.clear();
    m_errors.clear();
    m_reportedErrors = 0;
    m_streamBroken.clear();
    m_writeBroken.clear();
    m_pipeClosed = false;
    m_latestSequence = 0;
    m_latestUser.clear();

    int toDaemon[2];
    int fromDaemon[2];
    if (pipe2(toDaemon, O_CLOEXEC) != 0)
        return fail(withErrno("cannot make the pipe to the daemon"));
    if (pipe2(fromDaemon, O_CLOEXEC) != 0) {
        const QString reason = withErrno("cannot make the pipe from the daemon");
        ::close(toDaemon[0]);
        ::close(toDaemon[1]);
        return fail(reason);
    }
    m_readFd = toDaemon[0];
    m_writeFd = fromDaemon[1];
    fcntl(m_readFd, F_SETFL, fcntl(m_readFd, F_GETFL) | O_NONBLOCK);
    fcntl(m_writeFd, F_SETFL, fcntl(m_writeFd, F_GETFL) | O_NONBLOCK);
    // The greeter's ends as copies that survive exec, above 0-2 so that the child's set-up
    // of its standard channels cannot replace them. They exist only until the child is made.
    const int greeterWrite = fcntl(toDaemon[1], F_DUPFD, 3);
    const int greeterRead = fcntl(fromDaemon[0], F_DUPFD, 3);
    const QString dupError = withErrno("cannot pass the pipes on");
    ::close(toDaemon[1]);
    ::close(fromDaemon[0]);
    const auto closeGreeterEnds = [&] {
        if (greeterWrite >= 0)
            ::close(greeterWrite);
        if (greeterRead >= 0)
            ::close(greeterRead);
    };
    if (greeterWrite < 0 || greeterRead < 0) {
        closeGreeterEnds();
        closeOurEnds();
        return fail(dupError);
    }

    m_readNotifier = std::make_unique<QSocketNotifier>(m_readFd, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, [this] { readFromGreeter(); });
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_writeFd, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, [this] { flushToGreeter(); });

    environment.insert(QStringLiteral("LIGHTDM_TO_SERVER_FD"), QString::number(greeterWrite));
    environment.insert(QStringLiteral("LIGHTDM_FROM_SERVER_FD"), QString::number(greeterRead));
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.start();
    closeGreeterEnds();
    if (!m_process.waitForStarted(10000)) {
        const QString reason = QStringLiteral("cannot start %1: %2").arg(program, m_process.errorString());
        closeOurEnds();
        return fail(reason);
    }
    return true;
}

bool LightDmDaemonDouble::waitFor(quint32 id, Message* out, int timeoutMs)
{
    const QString wanted = messageName(id);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        for (int i = 0; i < m_messages.size(); ++i) {
            if (!m_returned.at(i) && m_messages.at(i).id == id) {
                m_returned[i] = true;
                if (out)
                    *out = m_messages.at(i);
                return true;
            }
        }
        if (m_reportedErrors < m_errors.size()) {
            const QStringList faults = m_errors.mid(m_reportedErrors);
            m_reportedErrors = m_errors.size();
            QString reason = faults.mid(0, 5).join(QLatin1Char('\n'));
            if (faults.size() > 5)
                reason += QStringLiteral("\n... and %1 more, the last: %2").arg(faults.size() - 5).arg(faults.last());
            return fail(QStringLiteral("while waiting for %1: %2%3").arg(wanted, reason, outputTail()));
        }
        if (!m_streamBroken.isEmpty())
            return fail(QStringLiteral("while waiting for %1: %2").arg(wanted, m_streamBroken));
        if (m_readFd < 0)
            return fail(QStringLiteral("no greeter was started to send %1").arg(wanted));
        if (m_pipeClosed || !isRunning())
            return fail(QStringLiteral("%1 before sending %2%3").arg(endedReason(), wanted, outputTail()));
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            QStringList seen;
            for (const Message& message : qAsConst(m_messages))
                seen << messageName(message.id);
            return fail(
                QStringLiteral("no %1 from the greeter within %2 ms (it sent: %3)%4")
                    .arg(wanted)
                    .arg(timeoutMs)
                    .arg(seen.isEmpty() ? QStringLiteral("nothing") : seen.join(QStringLiteral(", ")), outputTail()));
        }
        runEventLoop(int(left));
    }
}

bool LightDmDaemonDouble::waitForFinished(int timeoutMs)
{
    if (m_readFd < 0 && !isRunning())
        return fail(QStringLiteral("no greeter was started"));
    QElapsedTimer clock;
    clock.start();
    while (isRunning()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return fail(QStringLiteral("the greeter still runs after %1 ms%2").arg(timeoutMs).arg(outputTail()));
        runEventLoop(int(left));
    }
    return true;
}

bool LightDmDaemonDouble::sendRaw(const QByteArray& bytes)
{
    if (m_writeFd < 0)
        return fail(QStringLiteral("no greeter runs to send to"));
    if (!m_writeBroken.isEmpty())
        return fail(m_writeBroken);
    m_outbox += bytes;
    flushToGreeter();
    return m_writeBroken.isEmpty() || fail(m_writeBroken);
}

void LightDmDaemonDouble::stop()
{
    if (isRunning()) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    readFromGreeter();
}

bool LightDmDaemonDouble::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

qint64 LightDmDaemonDouble::processId() const
{
    return m_process.processId();
}

void LightDmDaemonDouble::readFromGreeter()
{
    if (m_readFd < 0 || m_pipeClosed)
        return;
    char buffer[65536];
    // A bounded number of reads per call, so that a greeter writing without end cannot hold
    // the event loop; the notifier calls again for the rest.
    for (int round = 0; round < 16; ++round) {
        const ssize_t count = ::read(m_readFd, buffer, sizeof buffer);
        if (count > 0) {
            m_raw.append(buffer, int(qMin<qint64>(count, rawLimit - m_raw.size())));
            if (m_streamBroken.isEmpty())
                m_inbox.append(buffer, int(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno == EAGAIN)
            break;
        if (count < 0)
            addError(withErrno("cannot read the daemon pipe"));
        m_pipeClosed = true;
        m_readNotifier->setEnabled(false);
        break;
    }
    decodeMessages();
    if (m_pipeClosed) {
        if (!m_inbox.isEmpty() && m_streamBroken.isEmpty()) {
            m_streamBroken
                = QStringLiteral("the greeter closed the daemon pipe in the middle of a message (%1 bytes: %2)")
                      .arg(m_inbox.size())
                      .arg(QString::fromLatin1(m_inbox.left(64).toHex(' ')));
            addError(m_streamBroken);
            m_inbox.clear();
        }
        wake();
    }
}

void LightDmDaemonDouble::decodeMessages()
{
    // Complete messages leave the inbox before any is handled: a slot on received() may run
    // an event loop that reads more.
    QList<QPair<quint32, QByteArray>> complete;
    int offset = 0;
    while (m_inbox.size() - offset >= headerSize) {
        const quint32 id = intAt(m_inbox, offset);
        const quint32 length = intAt(m_inbox, offset + 4);
        if (length > maxPayload) {
            m_streamBroken = QStringLiteral("the greeter announced %1 with %2 bytes, more than the %3 a message may "
                                            "have; nothing after it can be read")
                                 .arg(messageName(id))
                                 .arg(length)
                                 .arg(maxPayload);
            addError(m_streamBroken);
            m_inbox.clear();
            offset = 0;
            break;
        }
        if (quint32(m_inbox.size() - offset - headerSize) < length)
            break;
        complete.append(qMakePair(id, m_inbox.mid(offset + headerSize, int(length))));
        offset += headerSize + int(length);
    }
    m_inbox.remove(0, offset);
    for (const auto& message : qAsConst(complete)) {
        if (!m_streamBroken.isEmpty())
            break;
        decodeOne(message.first, message.second);
    }
}

void LightDmDaemonDouble::flushToGreeter()
{
    while (!m_outbox.isEmpty() && m_writeBroken.isEmpty()) {
        const ssize_t written = writeWithoutSigpipe(m_writeFd, m_outbox.constData(), size_t(m_outbox.size()));
        if (written > 0) {
            m_outbox.remove(0, int(written));
        } else if (errno == EAGAIN) {
            break;
        } else {
            m_writeBroken = errno == EPIPE
                ? QStringLiteral("the greeter has closed its end of the pipe from the daemon")
                : withErrno("cannot write to the greeter");
            m_outbox.clear();
        }
    }
    // Whatever the pipe cannot take now goes out once the greeter has read some.
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_outbox.isEmpty());
}

void LightDmDaemonDouble::addError(const QString& reason)
{
    m_errors << reason;
    Q_EMIT protocolError(reason);
    // A stream of zeros is an endless row of faulty messages; past a hundred it is garbage.
    if (m_errors.size() == maxErrors && m_streamBroken.isEmpty()) {
        m_streamBroken
            = QStringLiteral("the greeter wrote %1 faulty messages; nothing after them is read").arg(maxErrors);
        m_inbox.clear();
        m_errors << m_streamBroken;
        Q_EMIT protocolError(m_streamBroken);
    }
    wake();
}

void LightDmDaemonDouble::wake()
{
    if (m_waitLoop)
        m_waitLoop->quit();
}

void LightDmDaemonDouble::runEventLoop(int timeoutMs)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    QEventLoop* const outer = m_waitLoop;
    m_waitLoop = &loop;
    loop.exec();
    m_waitLoop = outer;
}

bool LightDmDaemonDouble::fail(const QString& reason)
{
    m_lastError = reason;
    return false;
}

QString LightDmDaemonDouble::outputTail() const
{
    if (m_output.isEmpty())
        return QStringLiteral("; it printed nothing");
    return QStringLiteral("; its output ends with:\n") + QString::fromLocal8Bit(m_output.right(2000));
}

QString LightDmDaemonDouble::endedReason()
{
    // A greeter that closed its pipe has usually just ended; its exit status tells more.
    if (isRunning())
        m_process.waitForFinished(1000);
    if (isRunning())
        return QStringLiteral("the greeter closed the daemon pipe");
    if (m_process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("the greeter was killed by signal %1").arg(m_process.exitCode());
    return QStringLiteral("the greeter exited with status %1").arg(m_process.exitCode());
}

void LightDmDaemonDouble::closeOurEnds()
{
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_readFd >= 0)
        ::close(m_readFd);
    if (m_writeFd >= 0)
        ::close(m_writeFd);
    m_readFd = -1;
    m_writeFd = -1;
}
