// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ToolkitPaths.h"

#include "ThemeInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace
{

bool runsFromBuildTree()
{
    const QString tools = QDir(QStringLiteral(BUILD_TOOLS_DIR)).canonicalPath();
    return !tools.isEmpty()
        && QDir(QCoreApplication::applicationDirPath()).canonicalPath().startsWith(tools + QLatin1Char('/'));
}

/// The first of @p candidates that exists, or the last one.
QString firstExisting(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return candidates.last();
}

/// @p relative below the prefix this program is installed in (its directory's parent).
QString besideInstallation(const QString& relative)
{
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absoluteFilePath(relative);
}

} // namespace

QString ToolkitPaths::plugin(const QString& name)
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    const QString file = QStringLiteral("vestibule_%1.so").arg(name);
    if (runsFromBuildTree())
        return QStringLiteral(BUILD_PLUGIN_DIR "/") + file;
    const QString installed = besideInstallation(QStringLiteral(INSTALL_LIBDIR "/") + file);
    return QFileInfo::exists(installed) ? installed : name;
}

QString ToolkitPaths::defaultTheme(const QString& pluginName)
{
    const QString theme
        = pluginName == QLatin1String("generic-theme") ? QStringLiteral("modern-generic") : QStringLiteral("modern");
    if (runsFromBuildTree())
        return QStringLiteral(BUILD_DATA_DIR "/themes/") + theme;
    return firstExisting({ besideInstallation(QStringLiteral(INSTALL_THEMES_DIR "/") + theme),
        QStringLiteral(INSTALL_FULL_THEMES_DIR "/") + theme });
}

QString ToolkitPaths::wallpapers()
{
    if (runsFromBuildTree())
        return QStringLiteral(BUILD_SYSTEM_ROOT "/usr/share/wallpapers");
    return firstExisting(
        { besideInstallation(QStringLiteral("share/wallpapers")), QStringLiteral("/usr/share/wallpapers") });
}

QString ToolkitPaths::translations()
{
    if (runsFromBuildTree())
        return QStringLiteral(BUILD_TRANSLATIONS_DIR);
    return firstExisting({ besideInstallation(QStringLiteral(INSTALL_TRANSLATIONS_DIR)),
        QStringLiteral("/usr/share/nimb/translations") });
}

QString ToolkitPaths::pluginOfTheme(const QString& themeDir)
{
    ThemeInfo info(themeDir);
    info.read();
    return info.description().plugin();
}
