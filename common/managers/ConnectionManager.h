// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "DpyDescription.h"
#include "Manager.h"
#include "vestibule_common_export.h"

#include <QObject>
#include <QPair>
#include <QString>

/**
 * Carries the requests concerning this display connection: its one exit action,
 * switching to another display session, the list of running display sessions and the
 * return to the remote-login chooser. What it reports is fixed at construction.
 */
class VESTIBULE_COMMON_EXPORT ConnectionManager : public QObject, public Manager
{
    Q_OBJECT
public:
    static const QString ID; ///< "connection"

    /// What the host knows about this display.
    struct ConnectionData {
        bool exitAllowed = false; ///< the display may be left through the exit action
        bool abortSession = false; ///< the exit action aborts the session (available even without exitAllowed)
        bool switchDisplayAvailable = false; ///< other display sessions can be switched to
        bool chooserDialogAvailable = false; ///< the remote-login chooser can be reached
        qint32 exitDisabled = 0; ///< non-zero suppresses the exit action whatever the flags say
        QString hostText; ///< kept for the host; the greeter does not read it
    };

    /// Whether the exit action is offered, and its translated text (empty when not).
    using ExitAction = QPair<bool, QString>;

    /// Works out the exit action once, in the language active now.
    explicit ConnectionManager(const ConnectionData& data, QObject* parent = nullptr);
    ~ConnectionManager() override;

    ExitAction exitAction() const;
    bool switchDisplayAvailable() const;
    bool chooserDialogAvailable() const;
    /// The host's data as given to the constructor.
    ConnectionData connectionData() const;

    /**
     * Emits exitConnectionRequest() when the action aborts the session, otherwise
     * restartXServerRequest(). Availability is the caller's concern.
     */
    void performExitAction();
    /// Emits switchDisplayRequest(@p vt) unchanged.
    void switchDisplay(int vt);

Q_SIGNALS:
    void restartXServerRequest(); ///< to the host
    void exitConnectionRequest(); ///< to the host
    void switchDisplayRequest(int vt); ///< to the host
    void displaySessionsRequest(); ///< from the theme to the host; answered by updateDisplaySessions
    void updateDisplaySessions(const DpyDescriptions& sessions); ///< from the host to the theme
    void reloadToXDMCPDialog(); ///< from the theme to the host

private:
    const ConnectionData m_data;
    const ExitAction m_exitAction;
};
