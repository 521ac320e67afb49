// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A stand-in for logind's sleep questions on a private bus:
//
//     fakelogin1 ADDRESS NAME [METHOD=ANSWER]...
//
// connects to the bus at ADDRESS, owns NAME and answers each METHOD of
// org.freedesktop.login1.Manager at /org/freedesktop/login1 with ANSWER: "error" (an error
// reply), "int" (the number 1 instead of a string), "empty" (a reply without arguments),
// "silent" (no reply at all) or any other word, sent as the string answer. Methods not
// named, other objects and other interfaces get the bus' usual "unknown" errors. Prints
// "ready" once NAME is owned and runs until it is killed or the bus goes away.

#include <dbus/dbus.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace
{

const char managerPath[] = "/org/freedesktop/login1";
const char managerInterface[] = "org.freedesktop.login1.Manager";

void sendAndUnref(DBusConnection* connection, DBusMessage* message)
{
    if (message) {
        dbus_connection_send(connection, message, nullptr);
        dbus_message_unref(message);
    }
}

void answer(DBusConnection* connection, DBusMessage* call, const std::map<std::string, std::string>& answers)
{
    if (std::strcmp(dbus_message_get_path(call), managerPath) != 0) {
        sendAndUnref(connection, dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_OBJECT, "No such object"));
        return;
    }
    const char* interface = dbus_message_get_interface(call);
    const auto found = answers.find(dbus_message_get_member(call));
    if (!interface || std::strcmp(interface, managerInterface) != 0 || found == answers.end()) {
        sendAndUnref(connection, dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_METHOD, "No such method"));
        return;
    }

    const std::string& value = found->second;
    if (value == "silent")
        return;
    if (value == "error") {
        sendAndUnref(connection, dbus_message_new_error(call, DBUS_ERROR_ACCESS_DENIED, "Not for you"));
        return;
    }
    DBusMessage* reply = dbus_message_new_method_return(call);
    if (value == "int") {
        const dbus_int32_t one = 1;
        dbus_message_append_args(reply, DBUS_TYPE_INT32, &one, DBUS_TYPE_INVALID);
    } else if (value != "empty") {
        const char* text = value.c_str();
        dbus_message_append_args(reply, DBUS_TYPE_STRING, &text, DBUS_TYPE_INVALID);
    }
    sendAndUnref(connection, reply);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ADDRESS NAME [METHOD=ANSWER]...\n", argv[0]);
        return 2;
    }
    std::map<std::string, std::string> answers;
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto equals = argument.find('=');
        if (equals == std::string::npos) {
            std::fprintf(stderr, "%s: expected METHOD=ANSWER, got \"%s\"\n", argv[0], argv[i]);
            return 2;
        }
        answers[argument.substr(0, equals)] = argument.substr(equals + 1);
    }

    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(argv[1], &error);
    if (!connection || !dbus_bus_register(connection, &error)) {
        std::fprintf(stderr, "%s: cannot join the bus: %s\n", argv[0], error.message);
        return 1;
    }
    if (dbus_bus_request_name(connection, argv[2], DBUS_NAME_FLAG_DO_NOT_QUEUE, &error)
        != DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER) {
        std::fprintf(stderr, "%s: cannot own %s: %s\n", argv[0], argv[2], error.message ? error.message : "taken");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    while (dbus_connection_read_write(connection, -1)) {
        while (DBusMessage* message = dbus_connection_pop_message(connection)) {
            if (dbus_message_get_type(message) == DBUS_MESSAGE_TYPE_METHOD_CALL)
                answer(connection, message, answers);
            dbus_message_unref(message);
        }
    }
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
    return 0;
}
