// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeSettingsChecker.h"

#include "ThemeSettings.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>

#include <yaml-cpp/yaml.h>

namespace
{

const QString settingsFile = QStringLiteral("settings.yaml");
const QString defaultWallpaper = QStringLiteral("nimb-default-modern");

// What the greeter does when the library throws on a value: it drops the whole group.
const QString noRenaming = QStringLiteral("; the greeter then renames no session");
const QString noBackground = QStringLiteral("; the greeter then ignores the whole background");

/// Goes through settings.yaml value by value, so that every wrong value gets its own line,
/// where the library stops at the first one.
class SettingsReview
{
public:
    SettingsReview(const QDir& dir, QStringList& problems)
        : m_dir(dir)
        , m_problems(problems)
    {
    }

    void add(const YAML::Mark& mark, const QString& text)
    {
        if (mark.is_null())
            m_problems << QStringLiteral("%1: %2").arg(settingsFile, text);
        else
            m_problems
                << QStringLiteral("%1:%2:%3: %4").arg(settingsFile).arg(mark.line + 1).arg(mark.column + 1).arg(text);
    }

    /// Converts as the library does; a failure is a line at the failing node.
    template<typename T>
    bool read(const YAML::Node& node, T& value, const QString& what)
    {
        try {
            value = node.as<T>();
            return true;
        } catch (const YAML::Exception& error) {
            add(error.mark.is_null() ? node.Mark() : error.mark, what);
            return false;
        }
    }

    /// Reviews the session renamings; returns the languages the file names.
    QSet<QString> aliases(const YAML::Node& root)
    {
        QSet<QString> languages;
        const YAML::Node entries = root["menu_session_aliases"];
        if (!entries || entries.IsNull())
            return languages;
        if (!entries.IsSequence()) {
            add(entries.Mark(), QStringLiteral("menu_session_aliases is not a list; no session is renamed"));
            return languages;
        }
        int number = 0;
        for (const YAML::Node& entry : entries) {
            const QString where = QStringLiteral("menu_session_aliases entry %1").arg(++number);
            if (!entry.IsMap()) {
                add(entry.Mark(), where + QStringLiteral(" is not a map of session_type and alias") + noRenaming);
                continue;
            }
            const YAML::Node type = entry["session_type"];
            std::string text;
            if (!type)
                add(entry.Mark(), where + QStringLiteral(" has no session_type; it renames nothing"));
            else
                read(type, text, where + QStringLiteral(": session_type is not text") + noRenaming);
            const YAML::Node alias = entry["alias"];
            if (!alias) {
                add(entry.Mark(), where + QStringLiteral(" has no alias") + noRenaming);
                continue;
            }
            if (!alias.IsMap()) {
                add(alias.Mark(),
                    where + QStringLiteral(": alias is not a map of languages")
                        + (alias.IsScalar() ? noRenaming : QStringLiteral("; it renames nothing")));
                continue;
            }
            for (const auto& translation : alias) {
                std::string language;
                if (!read(translation.first, language, where + QStringLiteral(": a language is not text")))
                    continue;
                const QString name = QString::fromStdString(language);
                languages.insert(name);
                if (translation.second.IsNull())
                    add(translation.second.Mark(), QStringLiteral("%1: alias '%2' is empty").arg(where, name));
                else
                    read(translation.second, text,
                        QStringLiteral("%1: alias '%2' is not text").arg(where, name) + noRenaming);
            }
        }
        return languages;
    }

    void background(const YAML::Node& root)
    {
        const YAML::Node background = root["background"];
        if (!background || background.IsNull())
            return;
        if (!background.IsMap()) {
            add(background.Mark(), QStringLiteral("background is not a map") + noBackground);
            return;
        }
        std::string path;
        bool flag = false;
        double radius = 0.0;
        std::vector<int> overlay;
        if (value(background, "background", "path", "text", path)) {
            const QString file = QString::fromStdString(path);
            if (file != defaultWallpaper)
                picture(
                    background["path"].Mark(), QStringLiteral("background.path"), m_dir.absoluteFilePath(file), file);
        }
        value(background, "background", "keep_proportions", "true or false", flag);
        if (value(background, "background", "color_overlay", "a list of numbers", overlay)
            && ((overlay.size() != 3 && overlay.size() != 4)
                || !std::all_of(overlay.begin(), overlay.end(), [](int v) { return v >= 0 && v <= 255; }))) {
            add(background["color_overlay"].Mark(),
                QStringLiteral("background.color_overlay must be 3 or 4 numbers from 0 to 255 (red, green, blue "
                               "and an optional alpha); the overlay is left out"));
        }
        if (const YAML::Node blur = section(background, "blur")) {
            value(blur, "background.blur", "enable", "true or false", flag);
            value(blur, "background.blur", "radius", "a number", radius);
        }
        if (const YAML::Node logo = section(background, "logo")) {
            value(logo, "background.logo", "enable", "true or false", flag);
            if (value(logo, "background.logo", "path", "text", path)) {
                const QString file = QString::fromStdString(path);
                // The plug-ins load the logo as written, so a relative one depends on where the
                // greeter happens to be started.
                if (QDir::isRelativePath(file)) {
                    add(logo["path"].Mark(),
                        QStringLiteral("background.logo.path '%1' is relative: the greeter looks for it in its "
                                       "working directory, not in the theme; give an absolute path")
                            .arg(file));
                } else {
                    picture(logo["path"].Mark(), QStringLiteral("background.logo.path"), file, file);
                }
            }
        }
    }

private:
    /// Reads @p key of @p map, when it is there, as the library does.
    template<typename T>
    bool value(const YAML::Node& map, const char* prefix, const char* key, const char* kind, T& result)
    {
        const YAML::Node node = map[key];
        return node
            && read(node, result,
                QStringLiteral("%1.%2 is not %3").arg(QLatin1String(prefix), QLatin1String(key), QLatin1String(kind))
                    + noBackground);
    }

    /// The map @p key of @p parent; an undefined node when it is absent, empty or no map.
    YAML::Node section(const YAML::Node& parent, const char* key)
    {
        const YAML::Node node = parent[key];
        if (node && node.IsMap())
            return node;
        if (node && !node.IsNull()) {
            add(node.Mark(),
                QStringLiteral("background.%1 is not a map").arg(QLatin1String(key))
                    + (node.IsScalar() ? noBackground : QStringLiteral("; it is ignored")));
        }
        return YAML::Node(YAML::NodeType::Undefined);
    }

    void picture(const YAML::Mark& mark, const QString& key, const QString& path, const QString& written)
    {
        if (!QFileInfo(path).isFile()) {
            add(mark, QStringLiteral("%1: no file '%2'").arg(key, written));
            return;
        }
        QImageReader reader(path);
        if (reader.read().isNull())
            add(mark, QStringLiteral("%1: '%2' is not a picture: %3").arg(key, written, reader.errorString()));
    }

    QDir m_dir;
    QStringList& m_problems;
};

} // namespace

void ThemeSettingsChecker::check(const QDir& dir, QStringList& problems)
{
    const QString path = dir.filePath(settingsFile);
    const QFileInfo info(path);
    if (!info.exists())
        return; // optional: no renamings and no background picture
    if (!info.isFile() || !info.isReadable()) {
        problems << settingsFile + QStringLiteral(": cannot be read");
        return;
    }

    SettingsReview review(dir, problems);
    ThemeSettings settings;
    YAML::Node root;
    try {
        settings.load(path);
        root = YAML::LoadFile(QFile::encodeName(path).toStdString());
    } catch (const YAML::Exception& error) {
        review.add(error.mark, QStringLiteral("syntax error: ") + QString::fromStdString(error.msg));
        return;
    }
    if (!root.IsMap() && !root.IsNull()) {
        review.add(root.Mark(), QStringLiteral("the file is not a map of settings; the greeter ignores it"));
        return;
    }

    // The review should find everything the library would throw; the library's own calls
    // are run as well, and what they throw is shown when the review has missed it.
    int before = problems.size();
    QSet<QString> languages = review.aliases(root);
    languages << QStringLiteral("en") << QStringLiteral("ru");
    bool reported = problems.size() > before;
    for (const QString& language : qAsConst(languages)) {
        try {
            settings.sessionAliases(language);
        } catch (const YAML::Exception& error) {
            if (!reported)
                review.add(error.mark, QStringLiteral("menu_session_aliases: ") + QString::fromStdString(error.msg));
            reported = true;
        }
    }
    before = problems.size();
    review.background(root);
    try {
        settings.background();
    } catch (const YAML::Exception& error) {
        if (problems.size() == before)
            review.add(error.mark, QStringLiteral("background: ") + QString::fromStdString(error.msg));
    }
}
