// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The wire format of the daemon double: what it sends and how it reads what the greeter sends.
#include "LightDmDaemonDouble.h"

#include <QTextCodec>
#include <QtEndian>

namespace
{

// The daemon version Debian 12 ships; greeters only show it.
const QString daemonVersion = QStringLiteral("1.26.0");

void appendInt(QByteArray& out, quint32 value)
{
    const quint32 big = qToBigEndian(value);
    out.append(reinterpret_cast<const char*>(&big), sizeof big);
}

void appendString(QByteArray& out, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    appendInt(out, quint32(bytes.size()));
    out.append(bytes);
}

/// Reads the fields of one payload in order; each failure says what was wrong.
class PayloadReader
{
public:
    explicit PayloadReader(const QByteArray& payload)
        : m_payload(payload)
    {
    }

    int left() const { return m_payload.size() - m_offset; }

    bool readInt(quint32* value)
    {
        if (left() < 4) {
            m_error = QStringLiteral("an integer at byte %1 runs past the end").arg(m_offset);
            return false;
        }
        *value = qFromBigEndian<quint32>(m_payload.constData() + m_offset);
        m_offset += 4;
        return true;
    }

    bool readString(QString* text)
    {
        const int start = m_offset;
        quint32 length = 0;
        if (!readInt(&length))
            return false;
        if (length > quint32(left())) {
            m_error = QStringLiteral("a string of %1 bytes at byte %2 runs past the end").arg(length).arg(start);
            return false;
        }
        QTextCodec::ConverterState state;
        *text = QTextCodec::codecForMib(106)->toUnicode(m_payload.constData() + m_offset, int(length), &state);
        if (state.invalidChars > 0 || state.remainingChars > 0) {
            m_error = QStringLiteral("the string at byte %1 is not valid UTF-8").arg(start);
            return false;
        }
        m_offset += int(length);
        return true;
    }

    QString error() const { return m_error; }

private:
    const QByteArray& m_payload;
    int m_offset = 0;
    QString m_error;
};

} // namespace

bool LightDmDaemonDouble::prompt(quint32 sequence, const QString& user, const QList<QPair<int, QString>>& messages)
{
    QByteArray payload;
    appendInt(payload, sequence);
    appendString(payload, user);
    appendInt(payload, quint32(messages.size()));
    for (const auto& message : messages) {
        appendInt(payload, quint32(message.first));
        appendString(payload, message.second);
    }
    return sendMessage(PromptAuthentication, payload);
}

bool LightDmDaemonDouble::endAuthentication(quint32 sequence, const QString& user, int result)
{
    QByteArray payload;
    appendInt(payload, sequence);
    appendString(payload, user);
    appendInt(payload, quint32(result));
    return sendMessage(EndAuthentication, payload);
}

bool LightDmDaemonDouble::sessionResult(int code)
{
    QByteArray payload;
    appendInt(payload, quint32(code));
    return sendMessage(SessionResult, payload);
}

bool LightDmDaemonDouble::sharedDirResult(const QString& directory)
{
    QByteArray payload;
    appendString(payload, directory);
    return sendMessage(SharedDirResult, payload);
}

bool LightDmDaemonDouble::idle()
{
    return sendMessage(Idle, QByteArray());
}

bool LightDmDaemonDouble::reset()
{
    // The daemon repeats the hints with a reset, as with CONNECTED.
    QByteArray payload;
    for (const auto& hint : qAsConst(m_hints)) {
        appendString(payload, hint.first);
        appendString(payload, hint.second);
    }
    return sendMessage(Reset, payload);
}

bool LightDmDaemonDouble::sendMessage(quint32 id, const QByteArray& payload)
{
    QByteArray bytes;
    appendInt(bytes, id);
    appendInt(bytes, quint32(payload.size()));
    return sendRaw(bytes + payload);
}

QString LightDmDaemonDouble::messageName(quint32 fromGreeterId)
{
    static const char* const names[] = { "CONNECT", "AUTHENTICATE", "AUTHENTICATE_AS_GUEST", "CONTINUE_AUTHENTICATION",
        "START_SESSION", "CANCEL_AUTHENTICATION", "SET_LANGUAGE", "AUTHENTICATE_REMOTE", "ENSURE_SHARED_DIR" };
    if (fromGreeterId < sizeof names / sizeof *names)
        return QString::fromLatin1(names[fromGreeterId]);
    return QStringLiteral("message %1").arg(fromGreeterId);
}

void LightDmDaemonDouble::decodeOne(quint32 id, const QByteArray& payload)
{
    // The fields of each message in order: i an integer, s a string, n a count of strings.
    static const char* const layouts[] = { "sii", "is", "i", "n", "s", "", "s", "iss", "s" };
    if (id >= sizeof layouts / sizeof *layouts) {
        addError(QStringLiteral("the greeter sent %1, which the daemon does not know (%2 bytes: %3)")
                     .arg(messageName(id))
                     .arg(payload.size())
                     .arg(QString::fromLatin1(payload.left(64).toHex(' '))));
        return;
    }
    PayloadReader reader(payload);
    Message message;
    message.id = id;
    bool ok = true;
    for (const char* field = layouts[id]; ok && *field; ++field) {
        quint32 number = 0;
        QString text;
        switch (*field) {
        case 'i':
            ok = reader.readInt(&number);
            message.ints << number;
            break;
        case 's':
            ok = reader.readString(&text);
            message.strings << text;
            break;
        case 'n':
            ok = reader.readInt(&number);
            message.ints << number;
            // Each string takes four bytes at least; a larger count is garbage, not a reason to loop.
            if (ok && number > quint32(reader.left() / 4)) {
                addError(QStringLiteral("the greeter sent %1 with a count of %2 and only %3 bytes after it")
                             .arg(messageName(id))
                             .arg(number)
                             .arg(reader.left()));
                return;
            }
            for (quint32 i = 0; ok && i < number; ++i) {
                ok = reader.readString(&text);
                message.strings << text;
            }
            break;
        }
    }
    if (ok && reader.left() > 0) {
        addError(QStringLiteral("the greeter sent %1 with %2 bytes more than its fields")
                     .arg(messageName(id))
                     .arg(reader.left()));
        return;
    }
    if (!ok) {
        addError(QStringLiteral("the greeter sent a malformed %1 (%2 bytes: %3): %4")
                     .arg(messageName(id))
                     .arg(payload.size())
                     .arg(QString::fromLatin1(payload.left(64).toHex(' ')), reader.error()));
        return;
    }

    if (id == Authenticate || id == AuthenticateAsGuest || id == AuthenticateRemote) {
        m_latestSequence = message.ints.at(0);
        m_latestUser = id == Authenticate ? message.strings.at(0)
            : id == AuthenticateRemote    ? message.strings.at(1)
                                          : QString();
    }
    m_messages.append(message);
    m_returned.append(false);
    if (id == Connect) {
        QByteArray connected;
        appendString(connected, daemonVersion);
        for (const auto& hint : qAsConst(m_hints)) {
            appendString(connected, hint.first);
            appendString(connected, hint.second);
        }
        sendMessage(Connected, connected);
    }
    Q_EMIT received(message);
    wake();
}
