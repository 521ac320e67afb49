// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ScreenReaderLauncher.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

void ScreenReaderLauncher::enableAccessibility()
{
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

ScreenReaderLauncher::ScreenReaderLauncher(QObject* parent, const QString& program)
    : QObject(parent)
    , m_program(program)
{
    // Asking makes Qt set up its bridge now, before the first frame, so that a bus that
    // comes up later (the reader starts it) finds the greeter ready to be read.
    QAccessible::isActive();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

ScreenReaderLauncher::~ScreenReaderLauncher()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(2000))
            m_process->kill();
        m_process->waitForFinished(2000);
    }
}

bool ScreenReaderLauncher::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

bool ScreenReaderLauncher::start()
{
    if (isRunning())
        return true;
    const QString path = QStandardPaths::findExecutable(m_program);
    if (path.isEmpty()) {
        std::fprintf(stderr, "nimb-qdm: the screen reader '%s' is not installed\n", qUtf8Printable(m_program));
        return false;
    }
    if (!m_process) {
        m_process = new QProcess(this);
        // The reader speaks; what it prints is of no use on a login screen.
        m_process->setStandardOutputFile(QProcess::nullDevice());
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    m_process->start(path, QStringList());
    if (!m_process->waitForStarted(5000)) {
        std::fprintf(stderr, "nimb-qdm: the screen reader '%s' did not start: %s\n", qUtf8Printable(path),
            qUtf8Printable(m_process->errorString()));
        return false;
    }
    emit started();
    return true;
}

bool ScreenReaderLauncher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers wanted = Qt::MetaModifier | Qt::AltModifier;
        if (key->key() == Qt::Key_S && (key->modifiers() & ~Qt::KeypadModifier) == wanted && !key->isAutoRepeat()) {
            start();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
