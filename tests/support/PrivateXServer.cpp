// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PrivateXServer.h"

#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

PrivateXServer::PrivateXServer()
    : m_previousDisplay(qgetenv("DISPLAY"))
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return;
    }
    if (pid == 0) {
        close(fds[0]);
        char fd[16];
        std::snprintf(fd, sizeof(fd), "%d", fds[1]);
        const int devNull = ::open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        execlp("Xvfb", "Xvfb", "-displayfd", fd, "-screen", "0", "1280x800x24", "-nolisten", "tcp", "+extension",
            "XTEST", "+extension", "XKEYBOARD", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    m_pid = pid;

    // Xvfb writes its display number once it accepts connections.
    QByteArray number;
    pollfd wait { fds[0], POLLIN, 0 };
    while (poll(&wait, 1, 10000) > 0) {
        char buffer[16];
        const ssize_t n = read(fds[0], buffer, sizeof(buffer));
        if (n <= 0)
            break;
        number.append(buffer, static_cast<int>(n));
        if (number.contains('\n'))
            break;
    }
    close(fds[0]);
    number = number.trimmed();
    if (number.isEmpty())
        return;
    m_display = QByteArray(":").append(number);
    qputenv("DISPLAY", m_display);
}

PrivateXServer::~PrivateXServer()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
    }
    if (m_previousDisplay.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", m_previousDisplay);
}
