// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeChecker.h"

#include "Exceptions.h"
#include "ThemeDescription.h"
#include "ThemeSettingsChecker.h"
#include "ThemeWidgetCreator.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSettings>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace
{

const QString descriptionFile = QStringLiteral("RezGreeterTheme.desktop");
const QString settingsFile = QStringLiteral("settings.yaml");
const QString commonForm = QStringLiteral("common_widget.ui");
const QString centralForm = QStringLiteral("central_widget.ui");
const QString itemForms[] = { QStringLiteral("vertical_user_item.ui"), QStringLiteral("horizontal_user_item.ui") };
// LoginWidget::load: the page dots under the user grid and the picture of token mode.
const QString loginIcons[] = { QStringLiteral("icon_white_circle.svg"), QStringLiteral("icon_empty_white_circle.svg"),
    QStringLiteral("icon-token.png") };

enum class Plugin { Standard, Generic, Other };
enum class Form { Common, Central, EitherScreenForm, UserItems };

struct NamedObject {
    Form form;
    const char* name;
    const QMetaObject* type;
    const char* within = nullptr; ///< looked up inside this widget, not the whole form
    bool optional = false; ///< the theme works without it; only a wrong class is a problem
};

// Every object the library's widgets and the plug-ins look up by name, with the class they
// ask for. A name found with another class is as fatal as a missing one.
// clang-format off
const NamedObject namedObjects[] = {
    // LoginWidget::findNamedWidgets, the same in standard and generic mode
    { Form::Central, "selectedUserIconLabel", &QLabel::staticMetaObject },
    { Form::Central, "usernameLabel", &QLabel::staticMetaObject },
    { Form::Central, "userHostnameLabel", &QLabel::staticMetaObject },
    { Form::Central, "shortUsersTableWidget", &QTableWidget::staticMetaObject },
    { Form::Central, "allUsersTableWidget", &QTableWidget::staticMetaObject },
    { Form::Central, "userPagesTableWidget", &QTableWidget::staticMetaObject },
    { Form::Central, "usersStackedWidget", &QStackedWidget::staticMetaObject },
    { Form::Central, "commonStackedWidget", &QStackedWidget::staticMetaObject },
    { Form::Central, "changeUserToolButton", &QToolButton::staticMetaObject },
    { Form::Central, "usernameLineEdit", &QLineEdit::staticMetaObject },
    { Form::Central, "passwordUsernameLineEdit", &QLineEdit::staticMetaObject },
    { Form::Central, "loginUsernameToolButton", &QToolButton::staticMetaObject },
    { Form::Central, "hostsComboBox", &QComboBox::staticMetaObject },
    { Form::Central, "passwordLineEdit", &QLineEdit::staticMetaObject },
    { Form::Central, "loginToolButton", &QToolButton::staticMetaObject },
    { Form::Central, "loginStackedWidget", &QStackedWidget::staticMetaObject },
    { Form::Central, "userSelectionWidget", &QWidget::staticMetaObject },
    { Form::Central, "capsLockLabel", &QLabel::staticMetaObject },
    { Form::Central, "capsLockUsernameLabel", &QLabel::staticMetaObject },
    { Form::Central, "usersFilterLineEdit", &QLineEdit::staticMetaObject },
    { Form::Central, "hostnameLabel", &QLabel::staticMetaObject },
    // CommonWidget::load
    { Form::Common, "loginFailedLabel", &QLabel::staticMetaObject },
    { Form::Common, "modeLabel", &QLabel::staticMetaObject },
    { Form::Common, "menusWidget", &QWidget::staticMetaObject },
    { Form::Common, "virtualKeyboardToolButton", &QToolButton::staticMetaObject },
    { Form::Common, "suspendToolButton", &QToolButton::staticMetaObject },
    { Form::Common, "rebootToolButton", &QToolButton::staticMetaObject },
    { Form::Common, "shutdownToolButton", &QToolButton::staticMetaObject },
    { Form::Common, "layoutToolButton", &QToolButton::staticMetaObject },
    { Form::Common, "actionsToolButton", &QToolButton::staticMetaObject },
    { Form::Common, "sessionsToolButton", &QToolButton::staticMetaObject },
    // The plug-ins: the login form goes into this layout before the login form is placed,
    // so it must be in the common form; the clock may be in either form.
    { Form::Common, "centralGridLayout", &QGridLayout::staticMetaObject },
    { Form::EitherScreenForm, "dateTimeWidget", &QWidget::staticMetaObject },
    // DateTimeWidgetHandler::load, given the clock's widget
    { Form::EitherScreenForm, "timeLabel", &QLabel::staticMetaObject, "dateTimeWidget" },
    { Form::EitherScreenForm, "dateLabel", &QLabel::staticMetaObject, "dateTimeWidget" },
    // The plug-ins move the failure line here when the login form keeps a place for it.
    { Form::Central, "loginFailedLayout", &QBoxLayout::staticMetaObject, nullptr, true },
    // UserCellWidget::load, for the cells of both user lists
    { Form::UserItems, "iconLabel", &QLabel::staticMetaObject },
    { Form::UserItems, "usernameLabel", &QLabel::staticMetaObject },
    { Form::UserItems, "hostnameLabel", &QLabel::staticMetaObject },
    { Form::UserItems, "isLoggedLabel", &QLabel::staticMetaObject },
};

struct StackPage {
    const char* stack;
    const char* page;
    int index; ///< where the page must be, or -1 where the library goes by name only
};

// The pages the login widget switches to by name. The two login pages get the keyboard
// focus proxies only at these places.
const StackPage stackPages[] = {
    { "loginStackedWidget", "userInfoPage", 0 },
    { "loginStackedWidget", "enterUsernamePage", 1 },
    { "commonStackedWidget", "loginPage", -1 },
    { "commonStackedWidget", "allUsersPage", -1 },
    { "usersStackedWidget", "changeUserButtonPage", -1 },
    { "usersStackedWidget", "shortUsersPage", -1 },
};
// clang-format on

QString cause(const std::exception& error)
{
    if (const auto* details = dynamic_cast<const DetailsException*>(&error))
        return details->fullDetails();
    return QString::fromLocal8Bit(error.what());
}

/// Runs one part of the check; whatever it throws becomes a line about @p file.
void guarded(const QString& file, QStringList& problems, const std::function<void()>& part)
{
    try {
        part();
    } catch (const std::exception& error) {
        problems << QStringLiteral("%1: check stopped by an unexpected error: %2").arg(file, cause(error));
    } catch (...) {
        problems << QStringLiteral("%1: check stopped by an unexpected error").arg(file);
    }
}

/// Holds back what the form loader says while loading: for a file that is not a form it is
/// the reason, which goes into the line; for a form it is handed on afterwards.
class LoaderMessages
{
public:
    LoaderMessages()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&record);
    }
    ~LoaderMessages()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    LoaderMessages(const LoaderMessages&) = delete;
    LoaderMessages& operator=(const LoaderMessages&) = delete;

    QString reason() const
    {
        QStringList texts;
        for (const Message& message : m_messages)
            texts << (message.text.startsWith(QLatin1String("Designer: ")) ? message.text.mid(10) : message.text);
        return texts.join(QStringLiteral("; "));
    }

    void handOn() const
    {
        for (const Message& message : m_messages) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            m_previous(message.type, context, message.text);
        }
    }

private:
    struct Message {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void record(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (s_current)
            s_current->m_messages.push_back({ type, QByteArray(context.category), text });
    }

    static inline LoaderMessages* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    std::vector<Message> m_messages;
};

// ---- The description ---------------------------------------------------------------------

Plugin checkDescription(const QDir& dir, QStringList& problems)
{
    const QString path = dir.filePath(descriptionFile);
    const QFileInfo info(path);
    if (!info.exists()) {
        problems << descriptionFile + QStringLiteral(": the file is missing");
        return Plugin::Other;
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        problems << QStringLiteral("%1: cannot be read: %2")
                        .arg(descriptionFile, info.isFile() ? file.errorString() : QStringLiteral("not a file"));
        return Plugin::Other;
    }
    file.close();
    if (!QSettings(path, QSettings::IniFormat).childGroups().contains(QStringLiteral("RezGreeterTheme"))) {
        problems << descriptionFile + QStringLiteral(": no [RezGreeterTheme] group");
        return Plugin::Other;
    }

    ThemeDescription description(path);
    description.read();
    const std::pair<const char*, bool> entries[] = { { "Greeter", description.greeter().isEmpty() },
        { "Plugin", description.plugin().isEmpty() }, { "Widgets", description.widgets().isEmpty() } };
    for (const auto& [key, missing] : entries) {
        if (missing)
            problems
                << QStringLiteral("%1: [RezGreeterTheme] has no %2 entry").arg(descriptionFile, QLatin1String(key));
    }

    const QString plugin = description.plugin();
    if (plugin == QLatin1String("standard-theme"))
        return Plugin::Standard;
    if (plugin == QLatin1String("generic-theme"))
        return Plugin::Generic;
    if (plugin.startsWith(QLatin1Char('/'))) {
        if (!QFileInfo(plugin).isFile())
            problems << QStringLiteral("%1: the plug-in file '%2' does not exist").arg(descriptionFile, plugin);
    } else if (!plugin.isEmpty()) {
        problems << QStringLiteral("%1: unknown plug-in '%2' (expected standard-theme, generic-theme or the absolute "
                                   "path of a plug-in file)")
                        .arg(descriptionFile, plugin);
    }
    return Plugin::Other;
}

// ---- Forms and the objects in them -------------------------------------------------------

/// The form @p fileName loaded through the library, or null with a line when it can't be used.
std::unique_ptr<QWidget> loadForm(const QDir& dir, const QString& fileName, QStringList& problems)
{
    const QString path = dir.filePath(fileName);
    if (!QFileInfo::exists(path)) {
        problems << fileName + QStringLiteral(": the form is missing");
        return nullptr;
    }
    LoaderMessages loader;
    std::unique_ptr<QWidget> form;
    try {
        form.reset(ThemeWidgetCreator::create(path));
    } catch (const DetailsException& error) {
        problems << QStringLiteral("%1: %2").arg(fileName, error.fullDetails());
        return nullptr;
    }
    if (form) {
        loader.handOn();
    } else {
        const QString reason = loader.reason();
        problems << fileName + QStringLiteral(": not a Designer form")
                + (reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
    }
    return form;
}

/// The screen forms are placed inside the library's widgets, so their root counts as well.
std::unique_ptr<QWidget> placed(std::unique_ptr<QWidget> form)
{
    if (!form)
        return nullptr;
    auto holder = std::make_unique<QWidget>();
    form.release()->setParent(holder.get());
    return holder;
}

/// What Utils::findWidget finds: the first object under @p root named @p name that is a @p type.
/// When only objects of other classes have the name, @p otherClass gets the first one's class.
QObject* lookUp(const QObject* root, const QString& name, const QMetaObject* type, QString& otherClass)
{
    const QList<QObject*> objects = root->findChildren<QObject*>(name);
    for (QObject* object : objects) {
        if (type->cast(object))
            return object;
    }
    if (!objects.isEmpty())
        otherClass = QLatin1String(objects.first()->metaObject()->className());
    return nullptr;
}

struct LoadedForm {
    QString file;
    std::unique_ptr<QWidget> root;
};

void checkNamedObject(const NamedObject& entry, const std::vector<const LoadedForm*>& forms, QStringList& problems)
{
    // Where the object is looked up: the forms, or the first widget named entry.within in them.
    std::vector<std::pair<QString, const QObject*>> roots;
    for (const LoadedForm* form : forms) {
        if (!entry.within) {
            roots.emplace_back(form->file, form->root.get());
            continue;
        }
        QString ignored;
        if (const QObject* container
            = lookUp(form->root.get(), QLatin1String(entry.within), &QWidget::staticMetaObject, ignored)) {
            roots.emplace_back(form->file, container);
            break;
        }
    }
    if (roots.empty())
        return; // the widget to look in is missing, which is a line of its own

    const QString name = QLatin1String(entry.name);
    const QString type = QLatin1String(entry.type->className());
    QStringList files;
    for (const auto& [file, root] : roots) {
        QString otherClass;
        if (lookUp(root, name, entry.type, otherClass))
            return;
        if (!otherClass.isEmpty()) {
            problems << QStringLiteral("%1: '%2' is a %3, not a %4").arg(file, name, otherClass, type)
                    + (entry.optional ? QStringLiteral("; it is passed over") : QString());
            return;
        }
        files << file;
    }
    if (entry.optional)
        return;
    const QString place = entry.within ? QStringLiteral(" inside '%1'").arg(QLatin1String(entry.within))
        : files.size() > 1             ? QStringLiteral(" in either form")
                                       : QString();
    problems << QStringLiteral("%1: no %2 named '%3'%4").arg(files.join(QStringLiteral(", ")), type, name, place);
}

void checkStackPages(const LoadedForm& central, QStringList& problems)
{
    for (const StackPage& entry : stackPages) {
        QString otherClass;
        auto* stack = qobject_cast<QStackedWidget*>(
            lookUp(central.root.get(), QLatin1String(entry.stack), &QStackedWidget::staticMetaObject, otherClass));
        if (!stack)
            continue; // reported with the names
        int index = -1;
        for (int i = 0; i < stack->count() && index < 0; ++i) {
            if (stack->widget(i)->objectName() == QLatin1String(entry.page))
                index = i;
        }
        if (index < 0) {
            problems << QStringLiteral("%1: '%2' has no page named '%3'")
                            .arg(central.file, QLatin1String(entry.stack), QLatin1String(entry.page));
        } else if (entry.index >= 0 && index != entry.index) {
            problems << QStringLiteral(
                "%1: '%3' is page %4 of '%2', not page %5; its field does not get the keyboard focus")
                            .arg(central.file, QLatin1String(entry.stack), QLatin1String(entry.page))
                            .arg(index + 1)
                            .arg(entry.index + 1);
        }
    }
    // A grid without a row or a column shows no user at all.
    QString otherClass;
    if (auto* grid = qobject_cast<QTableWidget*>(lookUp(
            central.root.get(), QStringLiteral("allUsersTableWidget"), &QTableWidget::staticMetaObject, otherClass));
        grid && (grid->rowCount() < 1 || grid->columnCount() < 1)) {
        problems << QStringLiteral(
            "%1: 'allUsersTableWidget' has %2 rows and %3 columns; it needs at least one of each")
                        .arg(central.file)
                        .arg(grid->rowCount())
                        .arg(grid->columnCount());
    }
}

void checkForms(const QDir& dir, Plugin plugin, QStringList& problems)
{
    LoadedForm common { commonForm, placed(loadForm(dir, commonForm, problems)) };
    LoadedForm central { centralForm, placed(loadForm(dir, centralForm, problems)) };
    // The generic mode binds the same names in the same two screen forms, but opens neither
    // the user item forms nor the login widget's icons: it shows no user list.
    std::vector<LoadedForm> items;
    if (plugin != Plugin::Generic) {
        for (const QString& file : itemForms)
            items.push_back({ file, loadForm(dir, file, problems) });
    }

    for (const NamedObject& entry : namedObjects) {
        // A form that did not load has its one line; the names in it are not listed as well.
        if (entry.form == Form::UserItems) {
            for (const LoadedForm& item : items) {
                if (item.root)
                    checkNamedObject(entry, std::vector<const LoadedForm*>(1, &item), problems);
            }
            continue;
        }
        std::vector<const LoadedForm*> forms;
        if (entry.form != Form::Central)
            forms.push_back(&common);
        if (entry.form != Form::Common)
            forms.push_back(&central);
        if (std::all_of(forms.begin(), forms.end(), [](const LoadedForm* form) { return form->root != nullptr; }))
            checkNamedObject(entry, forms, problems);
    }
    if (central.root)
        checkStackPages(central, problems);
}

void checkIcons(const QDir& dir, QStringList& problems)
{
    for (const QString& file : loginIcons) {
        const QString path = dir.filePath(file);
        if (!QFileInfo::exists(path)) {
            problems << file + QStringLiteral(": the icon is missing");
            continue;
        }
        QImageReader reader(path);
        if (reader.read().isNull())
            problems << QStringLiteral("%1: not a picture: %2").arg(file, reader.errorString());
    }
}

} // namespace

QStringList ThemeChecker::check(const QString& themeDir)
{
    const QFileInfo info(themeDir);
    if (!info.isDir()) {
        return { QStringLiteral("%1: %2").arg(
            themeDir, info.exists() ? QStringLiteral("not a directory") : QStringLiteral("no such directory")) };
    }
    const QDir dir(info.absoluteFilePath());

    QStringList problems;
    // Without a description the plug-in is unknown; the theme is then held to all the
    // standard plug-in needs.
    Plugin plugin = Plugin::Other;
    guarded(descriptionFile, problems, [&] { plugin = checkDescription(dir, problems); });
    guarded(settingsFile, problems, [&] { ThemeSettingsChecker::check(dir, problems); });
    guarded(QStringLiteral("*.ui"), problems, [&] { checkForms(dir, plugin, problems); });
    if (plugin != Plugin::Generic)
        guarded(QStringLiteral("icons"), problems, [&] { checkIcons(dir, problems); });
    return problems;
}
