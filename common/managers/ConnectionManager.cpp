// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ConnectionManager.h"

const QString ConnectionManager::ID = QStringLiteral("connection");

namespace
{

ConnectionManager::ExitAction exitActionFor(const ConnectionManager::ConnectionData& data)
{
    if (data.exitDisabled != 0)
        return { false, QString() };
    if (data.abortSession)
        return { true, ConnectionManager::tr("Abort session") };
    if (data.exitAllowed) {
        return { true,
            data.switchDisplayAvailable ? ConnectionManager::tr("Restart X server")
                                        : ConnectionManager::tr("Close connection") };
    }
    return { false, QString() };
}

} // namespace

ConnectionManager::ConnectionManager(const ConnectionData& data, QObject* parent)
    : QObject(parent)
    , Manager(ID)
    , m_data(data)
    , m_exitAction(exitActionFor(data))
{
}

ConnectionManager::~ConnectionManager() = default;

ConnectionManager::ExitAction ConnectionManager::exitAction() const
{
    return m_exitAction;
}
bool ConnectionManager::switchDisplayAvailable() const
{
    return m_data.switchDisplayAvailable;
}
bool ConnectionManager::chooserDialogAvailable() const
{
    return m_data.chooserDialogAvailable;
}
ConnectionManager::ConnectionData ConnectionManager::connectionData() const
{
    return m_data;
}

void ConnectionManager::performExitAction()
{
    if (m_data.abortSession)
        Q_EMIT exitConnectionRequest();
    else
        Q_EMIT restartXServerRequest();
}

void ConnectionManager::switchDisplay(int vt)
{
    Q_EMIT switchDisplayRequest(vt);
}
