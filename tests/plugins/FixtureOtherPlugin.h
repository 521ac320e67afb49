// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QObject>

/// A well-formed Qt plug-in that implements some other interface than the theme loader's.
class FixtureOtherPlugin : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.example.vestibule.SomethingElse/1.0" FILE "fixtureother.json")
};
