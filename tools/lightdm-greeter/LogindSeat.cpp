// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "LogindSeat.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>

namespace
{

const QString service = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString seatInterface = QStringLiteral("org.freedesktop.login1.Seat");
const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
// A greeter must not hang on a bus that does not answer.
constexpr int callTimeoutMs = 3000;

QDBusMessage call(const QString& path, const QString& interface, const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::systemBus().call(message, QDBus::Block, callTimeoutMs);
}

/// The object path of the seat LightDM started this greeter on, or an empty one.
QString seatPath()
{
    const QString seat = qEnvironmentVariable("XDG_SEAT", QStringLiteral("seat0"));
    const QDBusMessage reply = call(managerPath, managerInterface, QStringLiteral("GetSeat"), { seat });
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QString();
    return reply.arguments().constFirst().value<QDBusObjectPath>().path();
}

QVariant property(const QString& path, const QString& interface, const QString& name)
{
    const QDBusMessage reply = call(path, propertiesInterface, QStringLiteral("Get"), { interface, name });
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

QVariantMap properties(const QString& path, const QString& interface)
{
    const QDBusMessage reply = call(path, propertiesInterface, QStringLiteral("GetAll"), { interface });
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariantMap();
    QVariantMap values;
    reply.arguments().constFirst().value<QDBusArgument>() >> values;
    return values;
}

/// The session objects of the seat: its "Sessions" property, an array of (id, path).
QStringList sessionPaths(const QString& seat)
{
    const QVariant value = property(seat, seatInterface, QStringLiteral("Sessions"));
    if (!value.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument argument = value.value<QDBusArgument>();
    QStringList paths;
    argument.beginArray();
    while (!argument.atEnd()) {
        QString id;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> id >> path;
        argument.endStructure();
        paths << path.path();
    }
    argument.endArray();
    return paths;
}

} // namespace

bool LogindSeat::canSwitch()
{
    if (!QDBusConnection::systemBus().isConnected())
        return false;
    const QString seat = seatPath();
    return !seat.isEmpty() && property(seat, seatInterface, QStringLiteral("CanTTY")).toBool();
}

DpyDescriptions LogindSeat::sessions()
{
    DpyDescriptions sessions;
    const QString seat = seatPath();
    if (seat.isEmpty())
        return sessions;
    const int ownVt = qEnvironmentVariableIntValue("XDG_VTNR");
    for (const QString& path : sessionPaths(seat)) {
        const QVariantMap values = properties(path, sessionInterface);
        const int vt = values.value(QStringLiteral("VTNr")).toInt();
        if (vt <= 0 || values.value(QStringLiteral("Class")).toString() != QLatin1String("user"))
            continue;
        DpyDescription session;
        session.user = values.value(QStringLiteral("Name")).toString();
        session.display = values.value(QStringLiteral("Display")).toString();
        session.session = values.value(QStringLiteral("Type")).toString();
        session.vt = vt;
        session.caption = session.user;
        session.detail = session.display.isEmpty()
            ? QCoreApplication::translate("LogindSeat", "terminal %1").arg(vt)
            : QCoreApplication::translate("LogindSeat", "display %1, terminal %2").arg(session.display).arg(vt);
        session.current = vt == ownVt;
        sessions << session;
    }
    return sessions;
}

bool LogindSeat::switchTo(int vt, QString* error)
{
    const QString seat = seatPath();
    if (seat.isEmpty()) {
        *error = QStringLiteral("logind does not know this seat");
        return false;
    }
    const QDBusMessage reply = call(seat, seatInterface, QStringLiteral("SwitchTo"), { quint32(vt) });
    if (reply.type() == QDBusMessage::ErrorMessage) {
        *error = reply.errorMessage();
        return false;
    }
    return true;
}

bool LogindSeat::hybridSleep()
{
    const QDBusMessage reply = call(managerPath, managerInterface, QStringLiteral("HybridSleep"), { false });
    return reply.type() == QDBusMessage::ReplyMessage;
}
