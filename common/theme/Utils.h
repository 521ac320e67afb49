// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "Exceptions.h"
#include "vestibule_common_export.h"

#include <QApplication>
#include <QString>
#include <QWidget>

class QFile;

namespace Utils
{

/**
 * The first descendant of @p parent (at any depth, in Qt's search order) that is a @p T
 * named @p name. Forms are bound by object name, so a missing one is fatal for whatever
 * is being loaded: throws CommonException instead of returning null.
 */
template<typename T>
T findWidget(const QString& name, const QWidget* parent)
{
    T found = parent ? parent->findChild<T>(name, Qt::FindChildrenRecursively) : nullptr;
    if (!found) {
        throw CommonException(QApplication::tr("Widget '%1' not found in parent '%2'")
                                  .arg(name, parent ? parent->objectName() : QString()));
    }
    return found;
}

/**
 * Opens @p path for reading. The caller owns the returned, open file.
 * Throws FileNotExistsException or OpenFileException.
 */
VESTIBULE_COMMON_EXPORT QFile* openFile(const QString& path);

/// The language part of the system locale ("ru" for ru_RU).
VESTIBULE_COMMON_EXPORT QString shortSystemLocale();

} // namespace Utils
