// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QPixmap>
#include <QWidget>

class GreeterManagers;
class SystemInfo;
class ThemeDescription;

/**
 * The complete login screen a theme plug-in builds. The host owns it and deletes it
 * before the manager registry, which the widget only points to.
 */
class VESTIBULE_COMMON_EXPORT BaseThemeWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BaseThemeWidget(QWidget* parent = nullptr);
    ~BaseThemeWidget() override;

    /**
     * Builds the screen. Implementations keep copies of @p description and @p systemInfo,
     * call insertManagers(@p managers) first and look the managers up there.
     * Throws the CommonException family when the theme cannot be built.
     */
    virtual void setup(const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo)
        = 0;
    /// Called by the host once the widget is shown (themes run the auto-login countdown here).
    virtual void exec();
    /// A snapshot of the theme's background; null unless the theme has one.
    virtual QPixmap backgroundPixmap() const;

    /// Stores the registry; it is not owned.
    void insertManagers(GreeterManagers* managers);

Q_SIGNALS:
    /// For the host to show as an error.
    void showMessageError(const QString& message);
    /// For the host to show as a warning.
    void showMessageWarning(const QString& message);

protected:
    GreeterManagers* managers = nullptr;
};
