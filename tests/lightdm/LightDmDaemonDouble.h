// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QPair>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

class QEventLoop;
class QSocketNotifier;

/**
 * Plays the LightDM daemon's side of the greeter protocol for one greeter program at a time.
 *
 * start() runs the greeter with the two pipes LightDM hands its greeters (their descriptor
 * numbers in LIGHTDM_TO_SERVER_FD and LIGHTDM_FROM_SERVER_FD). Every message the greeter writes
 * is decoded, kept and announced through received(); a CONNECT is answered with CONNECTED and
 * the hints of setHints() at once, everything else is up to the test through the senders.
 *
 * A greeter that dies, closes its pipe, writes what is not a message or announces one longer
 * than 1 MiB never hangs or crashes the test: waitFor() and waitForFinished() then fail at once
 * and lastError() says why, with the end of what the greeter printed.
 */
class LightDmDaemonDouble : public QObject
{
    Q_OBJECT
public:
    /// Message ids the greeter sends.
    enum FromGreeter : quint32 {
        Connect = 0, ///< version, resettable, api version
        Authenticate = 1, ///< sequence number, user
        AuthenticateAsGuest = 2, ///< sequence number
        ContinueAuthentication = 3, ///< count, then that many answers
        StartSession = 4, ///< session key (empty: the default)
        CancelAuthentication = 5, ///< nothing
        SetLanguage = 6, ///< language
        AuthenticateRemote = 7, ///< sequence number, session, user
        EnsureSharedDir = 8, ///< user
    };
    /// Message ids the daemon sends.
    enum ToGreeter : quint32 {
        Connected = 0,
        PromptAuthentication = 1,
        EndAuthentication = 2,
        SessionResult = 3,
        SharedDirResult = 4,
        Idle = 5,
        Reset = 6,
    };
    /// What each entry of prompt() is.
    enum PromptStyle { SecretPrompt = 1, VisiblePrompt = 2, ErrorMessage = 3, InfoMessage = 4 };
    /// Results of endAuthentication(): success, or PAM_AUTH_ERR as the daemon reports a failure.
    enum AuthenticationResult { AuthenticationSucceeded = 0, AuthenticationFailed = 7 };

    /// One decoded greeter message: its integers and its strings, each in payload order.
    struct Message {
        quint32 id = 0;
        QList<quint32> ints;
        QStringList strings;
    };

    explicit LightDmDaemonDouble(QObject* parent = nullptr);
    /// Ends a greeter that still runs, as stop() does.
    ~LightDmDaemonDouble() override;

    /// Hints sent with CONNECTED, in this order (for example "default-session", "hide-users").
    void setHints(const QList<QPair<QString, QString>>& hints);

    /**
     * Starts @p program as the greeter, with @p environment plus the two descriptor variables.
     * What it prints on standard output and error is collected in output(). Everything from an
     * earlier greeter (messages, output, errors) is dropped. Returns false, with lastError(),
     * when a greeter still runs, the pipes cannot be made or the program does not start.
     */
    bool start(const QString& program, const QStringList& arguments,
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

    /**
     * Runs the event loop until a message @p id has come that no earlier waitFor() returned,
     * and stores it in @p out. Returns false, with the reason in lastError(), when the time is
     * up, the greeter has ended or closed its pipe without sending one, or the greeter wrote
     * something that is not a valid message (faults not yet reported fail the next waitFor()
     * together; one that loses the message boundaries fails every later one).
     */
    bool waitFor(quint32 id, Message* out = nullptr, int timeoutMs = 20000);
    /// Runs the event loop until the greeter has ended; false, with lastError(), on timeout.
    bool waitForFinished(int timeoutMs = 20000);

    bool prompt(quint32 sequence, const QString& user, const QList<QPair<int, QString>>& messages);
    bool endAuthentication(quint32 sequence, const QString& user, int result);
    bool sessionResult(int code);
    bool sharedDirResult(const QString& directory);
    bool idle();
    bool reset();
    /// Sends one message with a payload the caller encoded; for greeters fed odd input.
    bool sendMessage(quint32 id, const QByteArray& payload);
    /// Writes @p bytes as they are, without a header.
    bool sendRaw(const QByteArray& bytes);

    /// The sequence number of the latest AUTHENTICATE, AUTHENTICATE_AS_GUEST or AUTHENTICATE_REMOTE.
    quint32 latestSequence() const { return m_latestSequence; }
    /// The user of the latest AUTHENTICATE or AUTHENTICATE_REMOTE (empty after a guest one).
    QString latestUser() const { return m_latestUser; }
    /// Every message decoded since start(), in order.
    QList<Message> messages() const { return m_messages; }

    /// Ends the greeter: SIGTERM, then SIGKILL when it still runs 5 s later.
    void stop();
    bool isRunning() const;
    qint64 processId() const;
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }

    /// All the greeter printed on standard output and error.
    QByteArray output() const { return m_output; }
    /// Every byte the greeter wrote to the daemon's pipe (the first 16 MiB).
    QByteArray rawFromGreeter() const { return m_raw; }
    /// Every fault of the greeter seen so far, in order.
    QStringList protocolErrors() const { return m_errors; }
    /// Why the last call that returned false failed.
    QString lastError() const { return m_lastError; }

    static QString messageName(quint32 fromGreeterId);

Q_SIGNALS:
    void received(const LightDmDaemonDouble::Message& message);
    /// The greeter wrote something that is not a valid message.
    void protocolError(const QString& reason);

private:
    void readFromGreeter();
    void decodeMessages();
    void decodeOne(quint32 id, const QByteArray& payload);
    void flushToGreeter();
    void addError(const QString& reason);
    void wake();
    void runEventLoop(int timeoutMs);
    bool fail(const QString& reason);
    QString outputTail() const;
    QString endedReason();
    void closeOurEnds();

    QProcess m_process;
    QList<QPair<QString, QString>> m_hints;
    int m_readFd = -1; // from the greeter
    int m_writeFd = -1; // to the greeter
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    QByteArray m_inbox;
    QByteArray m_outbox;
    QByteArray m_raw;
    QByteArray m_output;
    QList<Message> m_messages;
    QList<bool> m_returned;
    QStringList m_errors;
    int m_reportedErrors = 0;
    QString m_streamBroken; // why nothing more can be read, once framing is lost
    bool m_pipeClosed = false; // the greeter's end of the daemon pipe is closed
    QString m_writeBroken; // why nothing more reaches the greeter
    QEventLoop* m_waitLoop = nullptr; // the loop of a running waitFor() or waitForFinished()
    quint32 m_latestSequence = 0;
    QString m_latestUser;
    QString m_lastError;
};

Q_DECLARE_METATYPE(LightDmDaemonDouble::Message)
