// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeWidgetCreator.h"

#include "AbstractPluginThemeLoader.h"
#include "BaseThemeWidget.h"
#include "Exceptions.h"
#include "SystemInfo.h"
#include "ThemeInfo.h"
#include "Utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QPointer>
#include <QUiLoader>

#include <memory>

namespace
{

/**
 * One form loader for the application. Setting up a QUiLoader scans the designer plug-in
 * directories, which costs far more than loading a small form: the user lists build a cell
 * from a form for every user on show. The loader belongs to the application object.
 */
QUiLoader& sharedLoader()
{
    static QPointer<QUiLoader> loader;
    if (!loader)
        loader = new QUiLoader(QCoreApplication::instance());
    return *loader;
}

QWidget* loadForm(QFile* file)
{
    QUiLoader& loader = sharedLoader();
    loader.setWorkingDirectory(QFileInfo(*file).absoluteDir());
    return loader.load(file, nullptr);
}

CommonException pluginFailure(const QString& plugin, const ThemeInfo& info, const QString& reason)
{
    return CommonException(
        ThemeWidgetCreator::tr("'%1' greeter plugine not supported '%2' theme. %3").arg(plugin, info.name(), reason));
}

} // namespace

BaseThemeWidget* ThemeWidgetCreator::create(
    const ThemeInfo& info, const SystemInfo& systemInfo, GreeterManagers* managers)
{
    if (systemInfo.loginPlugins.isEmpty())
        throw CommonException(tr("Login plugins is empty"));

    const QString plugin = systemInfo.loginPlugins.first();
    QPluginLoader loader(SystemInfo::fullPluginPath(plugin));
    loader.setLoadHints(loader.loadHints() | QLibrary::PreventUnloadHint);
    if (!loader.load())
        throw pluginFailure(plugin, info, loader.errorString());

    // A library that loads but is not a theme plug-in must not be used as one.
    QObject* root = loader.instance();
    if (!root)
        throw pluginFailure(plugin, info, tr("The plugin has no root instance. %1").arg(loader.errorString()));
    auto* themeLoader = qobject_cast<AbstractPluginThemeLoader*>(root);
    if (!themeLoader) {
        throw pluginFailure(plugin, info,
            tr("The plugin does not implement the interface '%1'.").arg(QLatin1String(AbstractPluginThemeLoader_iid)));
    }

    std::unique_ptr<BaseThemeWidget> widget(themeLoader->createThemeWidget());
    if (!widget)
        throw pluginFailure(plugin, info, tr("The plugin created no theme widget."));
    widget->setup(info.description(), managers, systemInfo);
    return widget.release();
}

QWidget* ThemeWidgetCreator::create(const QString& path)
{
    std::unique_ptr<QFile> file(Utils::openFile(path));
    QWidget* widget = loadForm(file.get());
    file->close();
    return widget;
}

QWidget* ThemeWidgetCreator::create(QFile* file)
{
    file->seek(0);
    return loadForm(file);
}
