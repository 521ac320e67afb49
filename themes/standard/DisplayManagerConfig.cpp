// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "DisplayManagerConfig.h"

#include "IniValueCheck.h"

#include <KConfig>
#include <KConfigGroup>

#include <QSettings>

#include <cstdio>
#include <new>

namespace
{

const QString greeterGroup = QStringLiteral("X-*-Greeter");
const QString coreGroup = QStringLiteral("X-:*-Core");

QMap<QString, QString> entryMap(const QString& path, const QString& group)
{
    const KConfig config(path, KConfig::FullConfig, QStandardPaths::GenericConfigLocation);
    return config.entryMap(group);
}

} // namespace

DisplayManagerConfig::DisplayManagerConfig(const QString& path)
    : m_path(path)
{
}

QString DisplayManagerConfig::greetString() const
{
    return entryMap(m_path, greeterGroup).value(QStringLiteral("GreetString"));
}

DomainSettings DisplayManagerConfig::domainSettings() const
{
    if (IniValueCheck::fileHoldsSerialisedObject(m_path)) {
        std::fprintf(stderr, "vestibule: '%s' holds a serialised Qt value; the domain settings keep their defaults\n",
            qPrintable(m_path));
        return DomainSettings();
    }
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(greeterGroup);
    DomainSettings domains;
    try {
        readDomainSettings(settings, domains);
    } catch (const std::bad_alloc&) {
        // The INI reader takes a value written as "@Variant(...)" for a serialised Qt object
        // and throws on an absurd length; the display manager never writes one: the defaults hold.
        return DomainSettings();
    }
    return domains;
}

void DisplayManagerConfig::readDomainSettings(QSettings& settings, DomainSettings& domains)
{
    // QSettings reads a value with commas as a list; the domains are separated by colons only.
    const QVariant value = settings.value(QStringLiteral("Domains"));
    const QString list
        = value.type() == QVariant::StringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
    domains.domains = list.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    domains.separator = settings.value(QStringLiteral("Separator"), QStringLiteral("@")).toString();
    domains.isPrefixDomain = settings.value(QStringLiteral("IsPrefixDomain"), false).toBool();
}

QStringList DisplayManagerConfig::passwordlessUsers() const
{
    const QMap<QString, QString> core = entryMap(m_path, coreGroup);
    if (!core.value(QStringLiteral("NoPassEnable")).contains(QLatin1String("true")))
        return {};
    return core.value(QStringLiteral("NoPassUsers")).split(QLatin1Char(','), Qt::SkipEmptyParts);
}
