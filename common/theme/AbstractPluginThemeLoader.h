// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "vestibule_common_export.h"

#include <QObject>

class BaseThemeWidget;

#define AbstractPluginThemeLoader_iid "nimb-qdm/0.0"

/**
 * Root object of a theme plug-in. A plug-in's loader class derives from this class and
 * lists the interface (Q_INTERFACES(AbstractPluginThemeLoader)) so that the root instance
 * casts by the identifier "nimb-qdm/0.0".
 */
class VESTIBULE_COMMON_EXPORT AbstractPluginThemeLoader : public QObject
{
    Q_OBJECT
public:
    explicit AbstractPluginThemeLoader(QObject* parent = nullptr);
    ~AbstractPluginThemeLoader() override;

    /// A new theme widget without a parent; the caller owns it.
    virtual BaseThemeWidget* createThemeWidget() = 0;
};

Q_DECLARE_INTERFACE(AbstractPluginThemeLoader, AbstractPluginThemeLoader_iid)
