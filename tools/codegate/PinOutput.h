// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

class QString;

/**
 * Keeps the caller's standard output for the PIN alone.
 *
 * The caller takes whatever arrives on our standard output as the PIN, so a stray line
 * from Qt, a style or a platform plug-in would corrupt it. While this object lives, the
 * original standard output is held on a private descriptor and descriptor 1 points at
 * standard error instead.
 */
class PinOutput
{
public:
    PinOutput();
    ~PinOutput();
    PinOutput(const PinOutput&) = delete;
    PinOutput& operator=(const PinOutput&) = delete;

    /// Writes @p pin as UTF-8, without a line break, to the caller's standard output.
    /// Returns false when not all of it got there.
    bool write(const QString& pin);

private:
    int m_descriptor = -1;
};
