// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "FixtureThemeLoader.h"

#include "Exceptions.h"
#include "GreeterManagers.h"
#include "Manager.h"
#include "SystemInfo.h"
#include "ThemeDescription.h"

#include <QVariant>

void FixtureThemeWidget::setup(
    const ThemeDescription& description, GreeterManagers* managers, const SystemInfo& systemInfo)
{
    insertManagers(managers);
    setProperty("descriptionPath", description.path());
    setProperty("descriptionPlugin", description.plugin());
    setProperty("managersAddress", QVariant::fromValue(reinterpret_cast<quintptr>(this->managers)));
    setProperty("loginPlugins", systemInfo.loginPlugins);
    setProperty("language", systemInfo.language);
    if (Manager* auth = managers ? managers->get(QStringLiteral("localAuth")) : nullptr)
        setProperty("localAuthId", auth->id());
    if (systemInfo.language == QLatin1String("throw"))
        throw CommonException(QStringLiteral("fixture theme refuses to set up"));
}

BaseThemeWidget* FixtureThemeLoader::createThemeWidget()
{
    return new FixtureThemeWidget;
}
