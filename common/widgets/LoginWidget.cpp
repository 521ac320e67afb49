// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The login widget's structure, pages and authentication input. The greeting and host
// choice live in LoginWidgetGreeting.cpp, the user lists in LoginWidgetUserLists.cpp and
// the generic PAM mode in LoginWidgetGeneric.cpp.
#include "LoginWidget.h"

#include "Accessibility.h"
#include "ImageUtils.h"
#include "SwipeGestureRecognizer.h"
#include "UserGroups.h"
#include "Utils.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGestureEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace
{

/// The page enum value whose page name is @p name (0 when unknown).
int pageValue(const QStackedWidget* stack, const char* first, const char* second)
{
    const QWidget* page = stack ? stack->currentWidget() : nullptr;
    if (!page)
        return 0;
    if (page->objectName() == QLatin1String(first))
        return 1;
    if (page->objectName() == QLatin1String(second))
        return 2;
    return 0;
}

// Registered by name so the page signals travel through queued connections and spies.
[[maybe_unused]] const int authPageTypeId = qRegisterMetaType<LoginWidget::AuthPage>("LoginWidget::AuthPage");
[[maybe_unused]] const int commonPageTypeId
    = qRegisterMetaType<LoginWidget::CommonWidgetPage>("LoginWidget::CommonWidgetPage");
[[maybe_unused]] const int usersPageTypeId
    = qRegisterMetaType<LoginWidget::UsersWidgetPage>("LoginWidget::UsersWidgetPage");

bool pointerOver(const QWidget* widget, const QPoint& globalPosition)
{
    return widget && widget->isVisible() && widget->rect().contains(widget->mapFromGlobal(globalPosition));
}

} // namespace

LoginWidget::LoginWidget(QWidget* parent)
    : QWidget(parent)
    , m_tokenMessage(tr("Please, insert token"))
{
}

LoginWidget::~LoginWidget()
{
    // The application keeps delivering events until the widget is gone.
    qApp->removeEventFilter(this);
}

void LoginWidget::bindForm(QWidget* form, const ThemeDescription& description)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);
    findNamedWidgets();
    if (const QPixmap picture = m_selectedUserIconLabel->pixmap(Qt::ReturnByValue); !picture.isNull())
        m_formUserPicture = QIcon(picture);
    describeForAssistiveTechnology();
    // Pages are switched by name from shortcuts and clicks, where nothing may be thrown: a
    // form without one of them fails now.
    for (const auto& [stack, pages] : { std::pair<QStackedWidget*, QStringList> { m_loginStackedWidget,
                                            { QStringLiteral("userInfoPage"), QStringLiteral("enterUsernamePage") } },
             { m_commonStackedWidget, { QStringLiteral("loginPage"), QStringLiteral("allUsersPage") } },
             { m_usersStackedWidget, { QStringLiteral("changeUserButtonPage"), QStringLiteral("shortUsersPage") } } }) {
        for (const QString& page : pages)
            Utils::findWidget<QWidget*>(page, stack);
    }

    m_shortListColumnLimit = m_shortUsersTableWidget->columnCount();
    m_allUsersRows = m_allUsersTableWidget->rowCount();
    m_allUsersColumns = m_allUsersTableWidget->columnCount();
    m_allUsersColumnWidth = m_allUsersTableWidget->horizontalHeader()->defaultSectionSize();
    for (QStackedWidget* stack : { m_commonStackedWidget, m_usersStackedWidget }) {
        connect(stack, &QStackedWidget::currentChanged, stack, [stack] { sizeStackToCurrentPage(stack); });
        sizeStackToCurrentPage(stack);
    }
    setCurrentUsersWidgetPage(ChangeUserButtonPage);
    Q_UNUSED(description)
}

void LoginWidget::describeForAssistiveTechnology()
{
    // The containers that pass the focus on are what a screen reader names the place by.
    if (accessibleName().isEmpty())
        setAccessibleName(tr("Login"));
    const std::pair<const char*, QString> pages[] = {
        { "userInfoPage", tr("Chosen user") },
        { "enterUsernamePage", tr("Other user") },
        { "allUsersPage", tr("All users") },
    };
    for (const auto& [name, text] : pages) {
        auto* page = findChild<QWidget*>(QLatin1String(name));
        if (page && page->accessibleName().isEmpty())
            page->setAccessibleName(text);
    }
    m_passwordFieldName = m_passwordLineEdit->accessibleName();
    m_usernameLabelDescription = m_usernameLabel->accessibleDescription();
    Accessibility::markAsAlert(m_capsLockLabel);
    Accessibility::markAsAlert(m_capsLockUsernameLabel);
}

void LoginWidget::sizeStackToCurrentPage(QStackedWidget* stack)
{
    // A stacked widget asks for the room of its largest page; the user grid or the short
    // list would then take that room on every page, and small screens would lose the
    // controls around them. Only the page on show counts.
    for (int i = 0; i < stack->count(); ++i) {
        QWidget* page = stack->widget(i);
        const QSizePolicy::Policy policy
            = page == stack->currentWidget() ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        page->setSizePolicy(policy, policy);
    }
    stack->updateGeometry();
}

void LoginWidget::load(QWidget* form, const ThemeDescription& description)
{
    m_description = description;
    const QString dir = m_description.dirPath();
    m_verticalItemForm.reset(Utils::openFile(dir + QStringLiteral("/vertical_user_item.ui")));
    m_horizontalItemForm.reset(Utils::openFile(dir + QStringLiteral("/horizontal_user_item.ui")));
    // A broken item form fails the theme now, not later when a user is to be shown.
    checkItemForm(m_verticalItemForm.get());
    checkItemForm(m_horizontalItemForm.get());
    m_whiteDot = QIcon(dir + QStringLiteral("/icon_white_circle.svg"));
    m_emptyWhiteDot = QIcon(dir + QStringLiteral("/icon_empty_white_circle.svg"));
    m_tokenIcon = QIcon(dir + QStringLiteral("/icon-token.png"));

    bindForm(form, description);

    connect(m_loginToolButton, &QToolButton::clicked, this, &LoginWidget::loginToolButtonClicked);
    connect(m_loginUsernameToolButton, &QToolButton::clicked, this, &LoginWidget::loginUsernameToolButtonClicked);
    connect(m_changeUserToolButton, &QToolButton::clicked, this, &LoginWidget::changeUserToolButtonClicked);
    connect(m_userPagesTableWidget, &QTableWidget::cellPressed, this, &LoginWidget::userPagesWidgetPressed);
    connect(m_userPagesTableWidget, &QTableWidget::cellActivated, this, &LoginWidget::userPagesWidgetActivated);
    connect(m_allUsersTableWidget, &QTableWidget::cellClicked, this, &LoginWidget::allUsersTableWidgetPressed);
    connect(m_allUsersTableWidget, &QTableWidget::cellActivated, this, &LoginWidget::allUsersTableWidgetPressed);
    connect(m_shortUsersTableWidget, &QTableWidget::cellPressed, this, &LoginWidget::shortUsersTableWidgetPressed);
    connect(m_shortUsersTableWidget, &QTableWidget::cellActivated, this, &LoginWidget::shortUsersTableWidgetPressed);

    // No key of its own: the toggle between the two login pages is for themes to bind.
    auto* changeSelectingUser = new QShortcut(this);
    connect(changeSelectingUser, &QShortcut::activated, this, &LoginWidget::changeSelectingUserShortcutActivated);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &LoginWidget::escapeKeyShortcutActivated);

    m_passwordLineEdit->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_passwordLineEdit, &QLineEdit::returnPressed, this, &LoginWidget::passwordLineEditReturnPressed);
    m_usernameLineEdit->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_usernameLineEdit, &QLineEdit::returnPressed, this, &LoginWidget::usernameLineEditReturnPressed);
    connect(m_usernameLineEdit, &QLineEdit::textChanged, this, &LoginWidget::usernameLineEditTextChanged);
    m_passwordUsernameLineEdit->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_passwordUsernameLineEdit, &QLineEdit::returnPressed, this,
        &LoginWidget::passwordUsernameLineEditReturnPressed);

    enableCapsLock(false);
    connect(m_usersFilterLineEdit, &QLineEdit::textEdited, this, &LoginWidget::filterChanged);

    setCurrentCommonWidgetPage(LoginPage);
    setUsers(UsersData(), false);
    installGestureAndEventFilter();

    setCurrentUserData(UserData());
    setCurrentAuthPage(EnterUsernamePage, false);

    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_loginStackedWidget->currentWidget());
    if (QWidget* first = m_loginStackedWidget->widget(0);
        first && first->objectName() == QLatin1String("userInfoPage")) {
        first->setFocusPolicy(Qt::StrongFocus);
        first->setFocusProxy(m_passwordLineEdit);
    }
    if (QWidget* second = m_loginStackedWidget->widget(1);
        second && second->objectName() == QLatin1String("enterUsernamePage")) {
        second->setFocusPolicy(Qt::StrongFocus);
        second->setFocusProxy(m_usernameLineEdit);
    }
    connect(m_loginStackedWidget, &QStackedWidget::currentChanged, this, [this](int index) {
        if (!m_focusHandedToGrid)
            setFocusProxy(m_loginStackedWidget->widget(index));
    });
}

void LoginWidget::findNamedWidgets()
{
    m_selectedUserIconLabel = Utils::findWidget<QLabel*>(QStringLiteral("selectedUserIconLabel"), this);
    m_usernameLabel = Utils::findWidget<QLabel*>(QStringLiteral("usernameLabel"), this);
    m_userHostnameLabel = Utils::findWidget<QLabel*>(QStringLiteral("userHostnameLabel"), this);
    m_shortUsersTableWidget = Utils::findWidget<QTableWidget*>(QStringLiteral("shortUsersTableWidget"), this);
    m_allUsersTableWidget = Utils::findWidget<QTableWidget*>(QStringLiteral("allUsersTableWidget"), this);
    m_userPagesTableWidget = Utils::findWidget<QTableWidget*>(QStringLiteral("userPagesTableWidget"), this);
    m_usersStackedWidget = Utils::findWidget<QStackedWidget*>(QStringLiteral("usersStackedWidget"), this);
    m_commonStackedWidget = Utils::findWidget<QStackedWidget*>(QStringLiteral("commonStackedWidget"), this);
    m_changeUserToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("changeUserToolButton"), this);
    m_usernameLineEdit = Utils::findWidget<QLineEdit*>(QStringLiteral("usernameLineEdit"), this);
    m_passwordUsernameLineEdit = Utils::findWidget<QLineEdit*>(QStringLiteral("passwordUsernameLineEdit"), this);
    m_loginUsernameToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("loginUsernameToolButton"), this);
    m_hostsComboBox = Utils::findWidget<QComboBox*>(QStringLiteral("hostsComboBox"), this);
    m_passwordLineEdit = Utils::findWidget<QLineEdit*>(QStringLiteral("passwordLineEdit"), this);
    m_loginToolButton = Utils::findWidget<QToolButton*>(QStringLiteral("loginToolButton"), this);
    m_loginStackedWidget = Utils::findWidget<QStackedWidget*>(QStringLiteral("loginStackedWidget"), this);
    m_userSelectionWidget = Utils::findWidget<QWidget*>(QStringLiteral("userSelectionWidget"), this);
    m_capsLockLabel = Utils::findWidget<QLabel*>(QStringLiteral("capsLockLabel"), this);
    m_capsLockUsernameLabel = Utils::findWidget<QLabel*>(QStringLiteral("capsLockUsernameLabel"), this);
    m_usersFilterLineEdit = Utils::findWidget<QLineEdit*>(QStringLiteral("usersFilterLineEdit"), this);
    m_hostnameLabel = Utils::findWidget<QLabel*>(QStringLiteral("hostnameLabel"), this);
}

void LoginWidget::installGestureAndEventFilter()
{
    // The application keeps every registered recognizer until it ends and asks each of them
    // about every mouse event, so a widget that is loaded again must not add another one.
    static QPointer<QCoreApplication> registeredWith;
    if (registeredWith != QCoreApplication::instance()) {
        QGestureRecognizer::registerRecognizer(new SwipeGestureRecognizer);
        registeredWith = QCoreApplication::instance();
    }
    m_allUsersTableWidget->grabGesture(Qt::SwipeGesture);
    qApp->installEventFilter(this);
}

// Pages ------------------------------------------------------------------------------

LoginWidget::AuthPage LoginWidget::currentAuthPage() const
{
    return static_cast<AuthPage>(pageValue(m_loginStackedWidget, "userInfoPage", "enterUsernamePage"));
}

LoginWidget::CommonWidgetPage LoginWidget::currentCommonWidgetPage() const
{
    return static_cast<CommonWidgetPage>(pageValue(m_commonStackedWidget, "loginPage", "allUsersPage"));
}

LoginWidget::UsersWidgetPage LoginWidget::currentUsersWidgetPage() const
{
    return static_cast<UsersWidgetPage>(pageValue(m_usersStackedWidget, "changeUserButtonPage", "shortUsersPage"));
}

QWidget* LoginWidget::currentCommonWidget() const
{
    return m_commonStackedWidget->currentWidget();
}

void LoginWidget::setLoginStackedWidgetPage(int index)
{
    if (m_loginStackedWidget->currentIndex() == index)
        return;
    m_loginStackedWidget->setCurrentIndex(index);
    Q_EMIT authPageChanged(currentAuthPage());
}

void LoginWidget::setLoginStackedWidgetPage(const QString& name)
{
    if (m_loginStackedWidget->currentWidget() && m_loginStackedWidget->currentWidget()->objectName() == name)
        return;
    m_loginStackedWidget->setCurrentWidget(Utils::findWidget<QWidget*>(name, m_loginStackedWidget));
    Q_EMIT authPageChanged(currentAuthPage());
}

void LoginWidget::setCommonStackedWidgetPage(int index)
{
    m_commonStackedWidget->setCurrentIndex(index);
}

void LoginWidget::setCommonStackedWidgetPage(const QString& name)
{
    m_commonStackedWidget->setCurrentWidget(Utils::findWidget<QWidget*>(name, m_commonStackedWidget));
}

void LoginWidget::setUsersStackedWidgetPage(int index)
{
    m_usersStackedWidget->setCurrentIndex(index);
}

void LoginWidget::setUsersStackedWidgetPage(const QString& name)
{
    m_usersStackedWidget->setCurrentWidget(Utils::findWidget<QWidget*>(name, m_usersStackedWidget));
}

void LoginWidget::setCurrentAuthPage(AuthPage page, bool selectUsername)
{
    switch (page) {
    case UserInfoPage:
        setLoginStackedWidgetPage(QStringLiteral("userInfoPage"));
        if (currentUsername().isEmpty() && !m_allUsers.isEmpty())
            selectCurrentUserData(m_allUsers);
        clearPassword();
        QTimer::singleShot(0, this, [this] { m_passwordLineEdit->setFocus(Qt::OtherFocusReason); });
        break;
    case EnterUsernamePage:
        if (m_usernameLabel->text() == m_tokenMessage)
            m_usernameLineEdit->clear();
        else
            m_usernameLineEdit->setText(m_usernameLabel->text());
        setLoginStackedWidgetPage(QStringLiteral("enterUsernamePage"));
        clearPassword();
        QTimer::singleShot(0, this, [this, selectUsername] {
            if (selectUsername) {
                m_usernameLineEdit->setFocus(Qt::OtherFocusReason);
                m_usernameLineEdit->selectAll();
            } else {
                setUsernameOrPasswordFocus();
            }
        });
        break;
    default:
        break;
    }
}

void LoginWidget::setUsernameOrPasswordFocus()
{
    if (m_usernameLineEdit->text().isEmpty() || !m_focusPassword)
        m_usernameLineEdit->setFocus(Qt::OtherFocusReason);
    else
        m_passwordUsernameLineEdit->setFocus(Qt::OtherFocusReason);
}

void LoginWidget::setCurrentCommonWidgetPage(CommonWidgetPage page)
{
    if (page == LoginPage)
        setCommonStackedWidgetPage(QStringLiteral("loginPage"));
    else if (page == AllUsersPage) {
        setCommonStackedWidgetPage(QStringLiteral("allUsersPage"));
        markCurrentUserCell(m_allUsersTableWidget);
    } else {
        return;
    }

    // While the grid is shown the widget must not pass the focus on to the hidden login page:
    // Tab would come back to it and stop there, since the field it points to cannot take it.
    if (page == AllUsersPage && focusProxy()) {
        setFocusProxy(nullptr);
        setFocusPolicy(Qt::NoFocus);
        m_focusHandedToGrid = true;
    } else if (page == LoginPage && m_focusHandedToGrid) {
        setFocusPolicy(Qt::StrongFocus);
        setFocusProxy(m_loginStackedWidget->currentWidget());
        m_focusHandedToGrid = false;
    }
    // The grid takes the keyboard while it is shown: a field of the hidden login page must not.
    if (page == AllUsersPage)
        m_allUsersTableWidget->setFocus(Qt::OtherFocusReason);
    else if (currentAuthPage() == UserInfoPage)
        m_passwordLineEdit->setFocus(Qt::OtherFocusReason);
    else if (currentAuthPage() == EnterUsernamePage)
        QTimer::singleShot(0, this, [this] { setUsernameOrPasswordFocus(); });
}

void LoginWidget::setCurrentUsersWidgetPage(UsersWidgetPage page)
{
    if (page == ChangeUserButtonPage)
        setUsersStackedWidgetPage(QStringLiteral("changeUserButtonPage"));
    else if (page == ShortUsersPage)
        setUsersStackedWidgetPage(QStringLiteral("shortUsersPage"));
}

void LoginWidget::changeUserToolButtonClicked()
{
    if (m_shortUsersTableWidget->columnCount() == 0) {
        setCurrentCommonWidgetPage(AllUsersPage);
    } else {
        setCurrentUsersWidgetPage(ShortUsersPage);
        // The button that had the focus is gone with its page: the list takes it over.
        if (m_changeUserToolButton->hasFocus() || !focusWidget() || !focusWidget()->isVisible())
            m_shortUsersTableWidget->setFocus(Qt::OtherFocusReason);
    }
}

void LoginWidget::escapeKeyShortcutActivated()
{
    const bool inShortList = m_shortUsersTableWidget->hasFocus();
    if (currentUsersWidgetPage() != ChangeUserButtonPage)
        setCurrentUsersWidgetPage(ChangeUserButtonPage);
    if (currentCommonWidgetPage() != LoginPage)
        setCurrentCommonWidgetPage(LoginPage);
    // Leaving the short list by keyboard goes back to the button that opened it.
    if (inShortList && m_changeUserToolButton->isVisible())
        m_changeUserToolButton->setFocus(Qt::OtherFocusReason);
}

void LoginWidget::changeSelectingUserShortcutActivated()
{
    if (currentAuthPage() == UserInfoPage)
        setCurrentAuthPage(EnterUsernamePage, false);
    else if (currentAuthPage() == EnterUsernamePage)
        setCurrentAuthPage(UserInfoPage, false);
}

bool LoginWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gesture = static_cast<QGestureEvent*>(event);
        gesture->setWidget(qobject_cast<QWidget*>(watched));
        return gestureEvent(gesture);
    }
    if (event->type() == QEvent::KeyPress && watched == m_allUsersTableWidget) {
        // The page keys turn the grid's pages, as a swipe does.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            if (key == Qt::Key_PageDown)
                setNextUsersPage();
            else
                setPreviosUsersPage();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && m_loginStackedWidget) {
        const QPoint position = static_cast<QMouseEvent*>(event)->globalPos();
        if (currentUsersWidgetPage() == ShortUsersPage && !pointerOver(m_shortUsersTableWidget, position)
            && m_allUsers.size() > 3) {
            setCurrentUsersWidgetPage(ChangeUserButtonPage);
        }
        if (currentCommonWidgetPage() == AllUsersPage && !pointerOver(currentCommonWidget(), position))
            setCurrentCommonWidgetPage(LoginPage);
    }
    return QWidget::eventFilter(watched, event);
}

// Input ------------------------------------------------------------------------------

void LoginWidget::passwordLineEditReturnPressed()
{
    m_loginToolButton->click();
}

void LoginWidget::passwordUsernameLineEditReturnPressed()
{
    m_loginUsernameToolButton->click();
}

void LoginWidget::loginToolButtonClicked()
{
    Q_EMIT loginRequest(AuthData { m_usernameLabel->text(), m_passwordLineEdit->text() }, QString());
}

void LoginWidget::loginUsernameToolButtonClicked()
{
    const QString host
        = m_hostsComboBox->count() > 0 ? m_hostsComboBox->itemText(m_hostsComboBox->currentIndex()) : QString();
    Q_EMIT loginRequest(AuthData { m_usernameLineEdit->text(), m_passwordUsernameLineEdit->text() }, host);
}

void LoginWidget::usernameLineEditReturnPressed()
{
    const QString username = m_usernameLineEdit->text();
    if (username.isEmpty())
        return;
    if (m_noPassEnabled && checkUserInNoPassList(username))
        m_loginUsernameToolButton->click();
    else
        m_passwordUsernameLineEdit->setFocus(Qt::TabFocusReason);
}

void LoginWidget::usernameLineEditTextChanged(const QString& text)
{
    updatePasswordUsernameLineEditPlaceholder();
    Q_EMIT usernameChanged(text);
}

bool LoginWidget::checkUserInNoPassList(const QString& username) const
{
    for (const QString& entry : m_noPassList) {
        if (entry.startsWith(QLatin1Char('@'))) {
            if (Utils::isUserNameInGroup(entry.mid(1).toLocal8Bit().constData(), username.toLocal8Bit().constData()))
                return true;
        } else if (entry == username) {
            return true;
        }
    }
    return false;
}

void LoginWidget::setNoPass(bool enabled, const QStringList& list)
{
    m_noPassEnabled = enabled;
    m_noPassList = list;
}

QString LoginWidget::currentUsername() const
{
    switch (currentAuthPage()) {
    case UserInfoPage:
        return m_usernameLabel->text();
    case EnterUsernamePage:
        return m_usernameLineEdit->text();
    default:
        return QString();
    }
}

QString LoginWidget::currentPassword() const
{
    switch (currentAuthPage()) {
    case UserInfoPage:
        return m_passwordLineEdit->text();
    case EnterUsernamePage:
        return m_passwordUsernameLineEdit->text();
    default:
        return QString();
    }
}

void LoginWidget::setFocusOnPassword()
{
    if (currentAuthPage() == UserInfoPage)
        m_passwordLineEdit->setFocus(Qt::OtherFocusReason);
    else if (currentAuthPage() == EnterUsernamePage)
        m_passwordUsernameLineEdit->setFocus(Qt::OtherFocusReason);
}

void LoginWidget::clearPassword()
{
    m_passwordLineEdit->clear();
    m_passwordUsernameLineEdit->clear();
}

void LoginWidget::setFocusPassword(bool focusPassword)
{
    m_focusPassword = focusPassword;
}

void LoginWidget::enableLoginWidgets(bool enabled)
{
    for (QWidget* widget : { static_cast<QWidget*>(m_passwordLineEdit), static_cast<QWidget*>(m_loginToolButton),
             static_cast<QWidget*>(m_changeUserToolButton), static_cast<QWidget*>(m_hostsComboBox),
             static_cast<QWidget*>(m_usernameLineEdit), static_cast<QWidget*>(m_passwordUsernameLineEdit),
             static_cast<QWidget*>(m_loginUsernameToolButton) }) {
        widget->setEnabled(enabled);
    }
}

void LoginWidget::enableUserSelection(bool enabled)
{
    m_userSelectionWidget->setVisible(enabled);
}

void LoginWidget::enableHostnameSelection(bool enabled)
{
    m_hostsComboBox->setVisible(enabled);
}

bool LoginWidget::hostnameSelectionEnabled() const
{
    return m_hostsComboBox->isVisibleTo(this);
}

void LoginWidget::enableCapsLock(bool on)
{
    // Only the warning on the page in view comes into view, and only it is spoken.
    Accessibility::showMessage(m_capsLockLabel, on);
    Accessibility::showMessage(m_capsLockUsernameLabel, on);
}

void LoginWidget::enableTokenMessage(bool on)
{
    if (on) {
        // The message takes the user's place, also for a screen reader.
        m_usernameLabel->setText(m_tokenMessage);
        m_usernameLabel->setAccessibleName(QString());
        Accessibility::setDescription(m_usernameLabel, m_usernameLabelDescription);
        m_selectedUserIconLabel->setPixmap(
            Utils::circlePixmapFromIcon(m_tokenIcon, Utils::caclulateRealPaintDeviceSize(m_selectedUserIconLabel)));
        Accessibility::setDescription(m_selectedUserIconLabel, QString());
    }
    m_userHostnameLabel->setVisible(!on);
    m_passwordLineEdit->clear();
    m_passwordLineEdit->setVisible(!on);
    m_loginToolButton->setVisible(!on);
}

void LoginWidget::updatePasswordUsernameLineEditPlaceholder()
{
    const QString typed = m_usernameLineEdit->text();
    bool token = false;
    for (const UserData& user : qAsConst(m_allUsers)) {
        if (user.username == typed) {
            token = user.hasToken;
            break;
        }
    }
    m_passwordUsernameLineEdit->setPlaceholderText(token ? tr("PIN") : tr("Password"));
}

// The chosen user --------------------------------------------------------------------

void LoginWidget::setCurrentUserData(const UserData& user)
{
    // Nobody chosen yet, or a prompt of the conversation: the form's own picture stands in.
    const QIcon& picture = user.icon.isNull() ? m_formUserPicture : user.icon;
    m_selectedUserIconLabel->setPixmap(
        Utils::circlePixmapFromIcon(picture, Utils::caclulateRealPaintDeviceSize(m_selectedUserIconLabel)));
    m_usernameLabel->setText(user.username);
    // Named as in the user lists: by the full name, the login shown on screen going into the
    // description after what the form says the label is.
    if (m_usernameLabel->accessibleName() != user.fullName)
        m_usernameLabel->setAccessibleName(user.fullName);
    QString description = m_usernameLabelDescription;
    if (!user.fullName.isEmpty()) {
        //: The description of the chosen user's full name: what the form calls the label, then the login name.
        description = description.isEmpty() ? user.username : tr("%1: %2").arg(description, user.username);
    }
    Accessibility::setDescription(m_usernameLabel, description);
    Accessibility::setDescription(
        m_selectedUserIconLabel, user.username.isEmpty() ? QString() : tr("Picture of %1").arg(user.displayName()));
    if (!user.hostname.isEmpty())
        m_userHostnameLabel->setText(fillGreetString(user.hostname));
    else
        m_userHostnameLabel->clear();
    m_usernameLineEdit->setText(user.username);
    clearPassword();
    const QString placeholder = user.hasToken ? tr("PIN") : tr("Password");
    m_passwordLineEdit->setPlaceholderText(placeholder);
    m_passwordUsernameLineEdit->setPlaceholderText(placeholder);
    Q_EMIT currentUserChanged(user.username);
}

void LoginWidget::setCurrentUser(const QString& username)
{
    for (const UserData& user : qAsConst(m_allUsers)) {
        if (user.username == username) {
            setCurrentUserData(user);
            setCurrentAuthPage(UserInfoPage, false);
            return;
        }
    }
    setCurrentUserData(UserData());
    setCurrentAuthPage(EnterUsernamePage, false);
    m_usernameLineEdit->setText(username);
}

void LoginWidget::selectCurrentUserData(const UsersData& users)
{
    if (users.isEmpty())
        return;
    const UserData* chosen = nullptr;
    for (const UserData& user : users) {
        if (!user.hasToken)
            continue;
        if (chosen) {
            chosen = nullptr;
            break;
        }
        chosen = &user;
    }
    setCurrentUserData(chosen ? *chosen : users.first());
}
