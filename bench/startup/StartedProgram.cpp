// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "StartedProgram.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// The group of the program being measured, for the handlers that must not leave it behind.
volatile sig_atomic_t runningGroup = 0;

void onTerminatingSignal(int signal)
{
    const pid_t group = runningGroup;
    StartedProgram::killRunning();
    if (group > 0)
        while (waitpid(-group, nullptr, 0) > 0) { }
    std::signal(signal, SIG_DFL);
    raise(signal);
}

QString describe(int status)
{
    if (WIFSIGNALED(status))
        return QStringLiteral("signal %1 (%2)")
            .arg(WTERMSIG(status))
            .arg(QString::fromLocal8Bit(strsignal(WTERMSIG(status))));
    return QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
}

} // namespace

void StartedProgram::installCleanup()
{
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    for (int signal : { SIGINT, SIGTERM, SIGHUP })
        std::signal(signal, onTerminatingSignal);
}

void StartedProgram::killRunning()
{
    if (runningGroup > 0)
        kill(-runningGroup, SIGKILL);
}

StartedProgram::StartedProgram(const QStringList& command)
{
    m_output = memfd_create("bench_startup-output", MFD_CLOEXEC);
    // Everything exec needs is made before the fork: the child only calls what is safe there.
    std::vector<QByteArray> arguments;
    for (const QString& argument : command)
        arguments.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    m_start = Clock::now();
    m_pid = fork();
    if (m_pid == 0) {
        setpgid(0, 0);
        if (m_output >= 0) {
            dup2(m_output, STDOUT_FILENO);
            dup2(m_output, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        const char* reason = std::strerror(errno);
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, reason, std::strlen(reason));
        _exit(127);
    }
    if (m_pid > 0) {
        // In the parent too, so that the group exists before anything is sent to it.
        setpgid(m_pid, m_pid);
        runningGroup = m_pid;
    }
}

StartedProgram::~StartedProgram()
{
    stop();
    if (m_output >= 0)
        close(m_output);
}

QString StartedProgram::outputTail() const
{
    if (m_output < 0)
        return QString();
    const off_t size = lseek(m_output, 0, SEEK_END);
    const off_t from = std::max<off_t>(0, size - 1500);
    QByteArray text(int(size - from), '\0');
    if (size <= 0 || pread(m_output, text.data(), size_t(text.size()), from) != text.size())
        return QString();
    return QString::fromLocal8Bit(text).trimmed();
}

double StartedProgram::peakRssMiB(pid_t pid)
{
    FILE* status = std::fopen(QByteArray("/proc/" + QByteArray::number(pid) + "/status").constData(), "r");
    if (!status)
        return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    std::fclose(status);
    return kib / 1024.0;
}

bool StartedProgram::exited(QString* status)
{
    int raw = 0;
    if (m_pid <= 0 || m_reaped || waitpid(m_pid, &raw, WNOHANG) != m_pid)
        return m_reaped;
    m_reaped = true;
    *status = describe(raw);
    return true;
}

QString StartedProgram::stop()
{
    if (m_pid <= 0)
        return QString();
    QString unclean;
    if (!m_reaped) {
        kill(-m_pid, SIGTERM);
        int raw = 0;
        pid_t reaped = 0;
        const auto grace = Clock::now() + std::chrono::seconds(5);
        while ((reaped = waitpid(m_pid, &raw, WNOHANG)) == 0 && Clock::now() < grace)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (reaped == 0) {
            kill(-m_pid, SIGKILL);
            waitpid(m_pid, &raw, 0);
            unclean = QStringLiteral("ignored SIGTERM for 5 s and was killed");
        } else if (!(WIFSIGNALED(raw) && WTERMSIG(raw) == SIGTERM) && !(WIFEXITED(raw) && WEXITSTATUS(raw) == 0)) {
            unclean = QStringLiteral("ended on SIGTERM with ") + describe(raw);
        }
        m_reaped = true;
    }
    // What the program started in its group goes too; once orphaned it is this process's to reap.
    kill(-m_pid, SIGKILL);
    const auto limit = Clock::now() + std::chrono::seconds(2);
    while (kill(-m_pid, 0) == 0 && Clock::now() < limit) {
        while (waitpid(-m_pid, nullptr, WNOHANG) > 0) { }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    runningGroup = 0;
    m_pid = -1;
    return unclean;
}
