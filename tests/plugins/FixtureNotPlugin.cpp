// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// A shared library without plug-in metadata: the loader must refuse it.
extern "C" __attribute__((visibility("default"))) int vestibuleFixtureNotPlugin()
{
    return 42;
}
