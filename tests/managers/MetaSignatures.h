// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QMetaMethod>
#include <QMetaObject>
#include <QStringList>

/// The signatures of the methods that @p meta declares itself, in meta-object order.
inline QStringList ownMethodSignatures(const QMetaObject& meta)
{
    QStringList signatures;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        signatures << QString::fromLatin1(meta.method(i).methodSignature());
    return signatures;
}
