// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

/**
 * What every fuzz target shares: a private directory per process that stands in for the
 * machine's root, input files written into it, and a quiet Qt. The same code runs under
 * libFuzzer and under the replay main of the normal build.
 */
namespace FuzzSupport
{

/// This process's private directory (created on first use, removed at exit); it is also
/// the system root of the library, so no reader ever sees the machine's own /etc or /usr.
QString root();

/// @p absolutePath ("/etc/...") inside root().
QString path(const QString& absolutePath);

/// Writes @p data to @p filePath, creating its directory; aborts when that fails, since
/// a target that silently read nothing would fuzz nothing.
void writeFile(const QString& filePath, const uint8_t* data, size_t size);
void writeFile(const QString& filePath, const QByteArray& data);

/**
 * A new file name in @p dir for every call. Qt's INI reader keeps parsed files keyed by
 * name and trusts an unchanged size and time stamp, so a fuzzer that rewrote one name
 * within the same millisecond would be fed the previous input.
 */
QString uniquePath(const QString& dir, const QString& stem, const QString& suffix);

/// Drops Qt's warnings: malformed inputs produce many, and printing them is most of the time spent.
void silenceQtMessages();

/**
 * Creates the process's application object, never destroyed (Qt cannot take it down among
 * the static destructors). A GUI application on the offscreen platform, as every greeter
 * host has one: Qt's INI reader turns "@Variant(...)" values into any registered type,
 * pictures included, and those can only be built inside a GUI application.
 */
void startGuiApplication(int* argc, char*** argv);

/// Sets the process environment for the readers: C.UTF-8, configuration directories inside root().
void prepareEnvironment();

/// The set-up of a target whose reader runs inside a greeter: environment, quiet Qt, GUI application.
void prepareGreeterProcess(int* argc, char*** argv);

/// Writes the fuzzer's input to a new file named after @p stem in @p absoluteDir (below root()).
QString writeInput(
    const QString& absoluteDir, const QString& stem, const QString& suffix, const uint8_t* data, size_t size);

} // namespace FuzzSupport
