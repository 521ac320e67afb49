// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QObject>

class BaseThemeWidget;
class GreeterManagers;
class QFile;
class QWidget;
class SystemInfo;
class ThemeInfo;

/// Builds theme widgets: the whole screen from a plug-in, or a widget tree from a Designer form.
class VESTIBULE_COMMON_EXPORT ThemeWidgetCreator : public QObject
{
    Q_OBJECT
public:
    /**
     * Loads the first of @p systemInfo's login plug-ins, creates its theme widget and runs
     * setup() on it. The caller owns the result; the plug-in stays loaded for good.
     * Throws CommonException when the plug-in cannot be used, and passes on what setup() throws.
     */
    static BaseThemeWidget* create(const ThemeInfo& info, const SystemInfo& systemInfo, GreeterManagers* managers);
    /**
     * The widget tree of the form at @p path, without a parent; null when it is not a form.
     * Relative resources resolve against the form's directory. Throws as Utils::openFile.
     */
    static QWidget* create(const QString& path);
    /// The same from an open @p file, which stays open and stays the caller's.
    static QWidget* create(QFile* file);
};
