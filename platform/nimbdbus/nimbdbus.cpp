// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "nimbdbus.h"

#include <dbus/dbus.h>

#include <cstring>
#include <memory>

namespace
{

// logind answers these at once; the greeter asks while it builds or opens its actions menu,
// so a hung logind must not freeze the screen for libdbus' default of 25 seconds.
constexpr int replyTimeoutMs = 1000;

const char loginService[] = "org.freedesktop.login1";
const char loginPath[] = "/org/freedesktop/login1";
const char loginInterface[] = "org.freedesktop.login1.Manager";

class ScopedError
{
public:
    ScopedError() { dbus_error_init(&m_error); }
    ~ScopedError() { dbus_error_free(&m_error); }
    ScopedError(const ScopedError&) = delete;
    ScopedError& operator=(const ScopedError&) = delete;
    DBusError* get() { return &m_error; }

private:
    DBusError m_error;
};

struct ConnectionCloser {
    // A private connection must be closed before its last reference goes, or libdbus complains.
    void operator()(DBusConnection* connection) const
    {
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
    }
};

struct MessageUnref {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};

using Connection = std::unique_ptr<DBusConnection, ConnectionCloser>;
using Message = std::unique_ptr<DBusMessage, MessageUnref>;

int answerValue(DBusMessage* reply)
{
    // The answer is exactly one string; anything else is a logind we do not understand.
    if (!dbus_message_has_signature(reply, DBUS_TYPE_STRING_AS_STRING))
        return -1;
    DBusMessageIter iter;
    if (!dbus_message_iter_init(reply, &iter))
        return -1;
    const char* answer = nullptr;
    dbus_message_iter_get_basic(&iter, &answer);
    if (!answer)
        return -1;
    if (std::strcmp(answer, "yes") == 0)
        return 1;
    // "challenge" means only after authentication, which the login screen cannot offer.
    if (std::strcmp(answer, "no") == 0 || std::strcmp(answer, "na") == 0 || std::strcmp(answer, "challenge") == 0)
        return 0;
    return -1;
}

int askLogind(const char* method)
{
    ScopedError error;
    // A private connection: a shared one would stay open for the life of the greeter and
    // could be closed under us by any other user of libdbus in the process.
    const Connection connection(dbus_bus_get_private(DBUS_BUS_SYSTEM, error.get()));
    if (!connection)
        return -1;
    // By default libdbus _exit()s the process when the bus goes away.
    dbus_connection_set_exit_on_disconnect(connection.get(), FALSE);

    const Message call(dbus_message_new_method_call(loginService, loginPath, loginInterface, method));
    if (!call)
        return -1;
    const Message reply(
        dbus_connection_send_with_reply_and_block(connection.get(), call.get(), replyTimeoutMs, error.get()));
    if (!reply)
        return -1;
    return answerValue(reply.get());
}

} // namespace

int dbus_Logind_CanSuspend()
{
    return askLogind("CanSuspend");
}

int dbus_Logind_CanHybridSleep()
{
    return askLogind("CanHybridSleep");
}

int dbus_Logind_CanHibernate()
{
    return askLogind("CanHibernate");
}
