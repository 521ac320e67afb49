// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QMetaObject>
#include <QStringList>

namespace MetaSignatures
{

/// Signatures of the signals @p meta declares itself (not its bases'), in declaration order.
QStringList ownSignals(const QMetaObject& meta);

/// Signatures of every method (signals, slots, invokables) @p meta declares itself, in meta-object order.
QStringList ownMethods(const QMetaObject& meta);

} // namespace MetaSignatures
