// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SystemPaths.h"

#include <QString>

namespace
{

struct RootHolder {
    bool explicitlySet = false;
    QString root;
};

RootHolder& holder()
{
    static RootHolder instance;
    return instance;
}

} // namespace

QString SystemPaths::root()
{
    if (holder().explicitlySet)
        return holder().root;
    return qEnvironmentVariable("VESTIBULE_SYSTEM_ROOT");
}

void SystemPaths::setRoot(const QString& root)
{
    holder().explicitlySet = true;
    holder().root = root;
}

QString SystemPaths::resolve(const QString& absolutePath)
{
    QString base = root();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + absolutePath;
}

QString SystemPaths::nimbDmConfigDir()
{
    return resolve(QStringLiteral("/etc/X11/nimb-dm/"));
}
QString SystemPaths::nimbDmConfigFile()
{
    return resolve(QStringLiteral("/etc/X11/nimb-dm/nimb-dmrc"));
}
QString SystemPaths::tokenFile()
{
    return resolve(QStringLiteral("/etc/X11/nimb-dm/token"));
}
QString SystemPaths::domainScriptsDir()
{
    return resolve(QStringLiteral("/etc/domains.list.d/"));
}
QString SystemPaths::securityLevelFile()
{
    return resolve(QStringLiteral("/etc/nimb/security-level"));
}
QString SystemPaths::translationsDir()
{
    return resolve(QStringLiteral("/usr/share/nimb/translations"));
}
QString SystemPaths::wallpapersDir()
{
    return resolve(QStringLiteral("/usr/share/wallpapers"));
}
QString SystemPaths::nimbDmWallpapersDir()
{
    return resolve(QStringLiteral("/usr/share/wallpapers/nimb-dm"));
}
QString SystemPaths::defaultLogoBase()
{
    return resolve(QStringLiteral("/usr/share/wallpapers/logo/pelio_logo"));
}
