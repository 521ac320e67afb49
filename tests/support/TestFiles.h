// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace TestFiles
{

/// Writes @p content to @p path, creating the directories above it. Returns false on failure.
bool write(const QString& path, const QByteArray& content);

/// Writes an executable shell script (with a "#!/bin/sh" line in front of @p body).
bool writeScript(const QString& path, const QByteArray& body);

/// Writes @p text as "scenario.yaml" in @p dir for the preview's --scenario; returns its path.
QString writeScenario(const QTemporaryDir& dir, const QByteArray& text);

/// The whole content of @p path, or an empty array.
QByteArray read(const QString& path);

} // namespace TestFiles
