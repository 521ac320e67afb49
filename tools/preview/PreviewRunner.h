// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "PreviewOptions.h"

/**
 * What the preview does with its command line: check a theme, photograph its states, or
 * show the screen until a login goes through. Exit statuses: 0 done, 1 a checked theme has
 * problems or a picture could not be written, 2 the theme or the scenario cannot be used.
 */
class PreviewRunner
{
public:
    explicit PreviewRunner(const PreviewOptions& options);
    /// Runs in the application's event loop and returns the exit status.
    int run();

    /// Applies what must be set before the application object exists (scale, language).
    static void prepareEnvironment(const PreviewOptions& options);

private:
    int check() const;
    int screenshotAll() const;
    int show();

    PreviewOptions m_options;
};
