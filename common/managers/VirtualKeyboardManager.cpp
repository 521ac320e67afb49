// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "VirtualKeyboardManager.h"

#include <QStringList>

const QString VirtualKeyboardManager::ID = QStringLiteral("virtualkeyboard");

VirtualKeyboardManager::VirtualKeyboardManager(const QString& command, int reserved, QObject* parent)
    : QObject(parent)
    , Manager(ID)
{
    Q_UNUSED(reserved)
    QStringList words = command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty())
        m_process.setProgram(words.takeFirst());
    m_process.setArguments(words);
    // Nobody reads the keyboard's output; passing it on to the greeter's own streams keeps
    // its diagnostics in the log instead of piling them up in memory for the greeter's life.
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    connect(&m_process, &QProcess::errorOccurred, this, &VirtualKeyboardManager::errorOccurredHandle);
}

VirtualKeyboardManager::~VirtualKeyboardManager()
{
    close();
}

QString VirtualKeyboardManager::program() const
{
    return m_process.program();
}
QStringList VirtualKeyboardManager::arguments() const
{
    return m_process.arguments();
}

void VirtualKeyboardManager::open()
{
    close();
    m_process.start(QIODevice::ReadWrite);
}

void VirtualKeyboardManager::close()
{
    if (!m_process.isOpen())
        return;
    // The forced end shows up as a crash of the process; it is ours, not the program's failure.
    const bool wasBlocked = blockSignals(true);
    m_process.killGroup();
    m_process.close();
    m_process.kill();
    blockSignals(wasBlocked);
}

void VirtualKeyboardManager::errorOccurredHandle(QProcess::ProcessError error)
{
    Q_UNUSED(error)
    Q_EMIT errorOccurred(m_process.errorString());
}
