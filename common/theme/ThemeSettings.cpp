// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeSettings.h"

#include <QFile>

#include <vector>

#include <yaml-cpp/yaml.h>

namespace
{

QString text(const YAML::Node& node)
{
    return QString::fromStdString(node.as<std::string>());
}

/// Sets @p has and converts into @p value when @p map holds @p key; throws yaml-cpp's error when it does not convert.
template<typename T>
void readOptional(const YAML::Node& map, const char* key, bool& has, T& value)
{
    if (const YAML::Node node = map[key]) {
        has = true;
        value = node.as<T>();
    }
}

QColor overlayColor(const std::vector<int>& items)
{
    if (items.size() != 3 && items.size() != 4)
        return QColor();
    for (int item : items) {
        if (item < 0 || item > 255)
            return QColor();
    }
    return QColor(items[0], items[1], items[2], items.size() == 4 ? items[3] : 255);
}

} // namespace

ThemeSettings::ThemeSettings()
    : m_root(std::make_unique<YAML::Node>())
{
}

ThemeSettings::~ThemeSettings() = default;

void ThemeSettings::load(const QString& path)
{
    auto parsed = std::make_unique<YAML::Node>(YAML::LoadFile(QFile::encodeName(path).toStdString()));
    m_root = std::move(parsed);
}

QMap<QString, QString> ThemeSettings::sessionAliases(const QString& language) const
{
    QMap<QString, QString> aliases;
    const YAML::Node& root = *m_root;
    const YAML::Node entries = root["menu_session_aliases"];
    if (!entries || !entries.IsSequence())
        return aliases;

    const std::string key = language.toStdString();
    for (const YAML::Node& entry : entries) {
        const YAML::Node sessionType = entry["session_type"];
        // An entry without an "alias" map makes this lookup throw yaml-cpp's invalid-node error.
        const YAML::Node& alias = entry["alias"];
        const YAML::Node translated = alias[key];
        if (sessionType && translated)
            aliases.insert(text(sessionType), text(translated));
    }
    return aliases;
}

BackgroundSettings ThemeSettings::background() const
{
    BackgroundSettings settings;
    const YAML::Node& root = *m_root;
    const YAML::Node background = root["background"];
    if (!background)
        return settings;
    settings.present = true;

    const YAML::Node& map = background;
    if (const YAML::Node path = map["path"]) {
        settings.hasPath = true;
        settings.path = text(path);
    }
    readOptional(map, "keep_proportions", settings.hasKeepProportions, settings.keepProportions);
    if (const YAML::Node overlay = map["color_overlay"]) {
        settings.hasColorOverlay = true;
        settings.colorOverlay = overlayColor(overlay.as<std::vector<int>>());
    }
    if (const YAML::Node blurNode = map["blur"]) {
        const YAML::Node& blur = blurNode;
        settings.blur.present = true;
        readOptional(blur, "enable", settings.blur.hasEnable, settings.blur.enable);
        readOptional(blur, "radius", settings.blur.hasRadius, settings.blur.radius);
    }
    if (const YAML::Node logoNode = map["logo"]) {
        const YAML::Node& logo = logoNode;
        settings.logo.present = true;
        readOptional(logo, "enable", settings.logo.hasEnable, settings.logo.enable);
        if (const YAML::Node path = logo["path"]) {
            settings.logo.hasPath = true;
            settings.logo.path = text(path);
        }
    }
    return settings;
}
