// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "AuthData.h"
#include "ThemeDescription.h"
#include "UserData.h"
#include "vestibule_common_export.h"

#include <QIcon>
#include <QStringList>
#include <QWidget>

#include <memory>

class QComboBox;
class QFile;
class QGestureEvent;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QSwipeGesture;
class QTableWidget;
class QToolButton;

/**
 * The login area of the greeter: the chosen user with one password field, or a user-name
 * page with its own password field and host choice; the short list and the paged grid of
 * user cells with filter, page dots and swipe; Caps Lock and token messages; the greeting.
 * In generic mode (loadGeneric) the same form conducts a PAM conversation prompt by prompt.
 *
 * It binds to the theme's form by object name and never talks to PAM itself: it emits
 * loginRequest (or submitAnswerToPam), which the theme hands to the authentication manager.
 */
class VESTIBULE_COMMON_EXPORT LoginWidget : public QWidget
{
    Q_OBJECT
public:
    enum AuthPage { UnknownAuthPage = 0, UserInfoPage = 1, EnterUsernamePage = 2 };
    Q_ENUM(AuthPage)
    enum CommonWidgetPage { UnknownCommonPage = 0, LoginPage = 1, AllUsersPage = 2 };
    Q_ENUM(CommonWidgetPage)
    enum UsersWidgetPage { UnknownUsersPage = 0, ChangeUserButtonPage = 1, ShortUsersPage = 2 };
    Q_ENUM(UsersWidgetPage)

    explicit LoginWidget(QWidget* parent = nullptr);
    ~LoginWidget() override;

    /// Takes @p form as the widget's content and binds to it; throws CommonException for
    /// a missing named widget, item form or page.
    void load(QWidget* form, const ThemeDescription& description);
    /// The same form for a PAM conversation, prompt by prompt.
    void loadGeneric(QWidget* form, const ThemeDescription& description);

    // Pages
    AuthPage currentAuthPage() const;
    void setCurrentAuthPage(AuthPage page, bool selectUsername);
    void setLoginStackedWidgetPage(int index);
    void setLoginStackedWidgetPage(const QString& name);
    CommonWidgetPage currentCommonWidgetPage() const;
    QWidget* currentCommonWidget() const;
    void setCurrentCommonWidgetPage(CommonWidgetPage page);
    void setCommonStackedWidgetPage(int index);
    void setCommonStackedWidgetPage(const QString& name);
    UsersWidgetPage currentUsersWidgetPage() const;
    void setCurrentUsersWidgetPage(UsersWidgetPage page);
    void setUsersStackedWidgetPage(int index);
    void setUsersStackedWidgetPage(const QString& name);

    // Input
    QString currentUsername() const;
    QString currentPassword() const;
    void clearPassword();
    void setFocusOnPassword();
    void setFocusPassword(bool focusPassword);
    void enableLoginWidgets(bool enabled);
    void enableCapsLock(bool on);
    void enableTokenMessage(bool on);
    void setNoPass(bool enabled, const QStringList& list);
    bool checkUserInNoPassList(const QString& username) const;
    void updatePasswordUsernameLineEditPlaceholder();

    // The chosen user
    void setCurrentUser(const QString& username);
    void setCurrentUserData(const UserData& user);
    void selectCurrentUserData(const UsersData& users);
    void enableUserSelection(bool enabled);

    // Host and greeting
    void setGreetString(const QString& greetString);
    QString fillGreetString(const QString& host) const;
    void setHostname(const QString& host);
    void enableHostnameSelection(bool enabled);
    bool hostnameSelectionEnabled() const;
    QString currentHostname() const;
    void setCurrentHostname(const QString& host);

    // User lists
    void setUsers(const UsersData& users, const bool& tokenUsersOnly);
    void setUserLists(const UsersData& users);
    void setShortListUsers(const UsersData& users);
    void setAllListUsers(const UsersData& users);
    QList<UsersData> splitUsersIntoPages(const UsersData& users) const;
    void setUsersPage(int page);
    void setNextUsersPage();
    void setPreviosUsersPage();
    int currentUsersPageIndex() const;
    void enableUsernameCompleter(bool on);
    void updateUsernameCompleterValues();
    void resizeAllUsersWidgets();

    // Generic mode
    void removePasswordPlaceholder();

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    void currentUserChanged(const QString& username);
    void usernameChanged(const QString& username);
    void loginRequest(const AuthData& data, const QString& host);
    void authPageChanged(LoginWidget::AuthPage page);
    void submitAnswerToPam(const QString& answer);

public Q_SLOTS:
    void loginToolButtonClicked();
    void genericToolButtonClicked();
    void loginUsernameToolButtonClicked();
    void changeUserToolButtonClicked();
    void userPagesWidgetPressed(int row, int column);
    void userPagesWidgetActivated(int row, int column);
    void passwordLineEditReturnPressed();
    void usernameLineEditReturnPressed();
    void usernameLineEditTextChanged(const QString& text);
    void passwordUsernameLineEditReturnPressed();
    void allUsersTableWidgetPressed(int row, int column);
    void shortUsersTableWidgetPressed(int row, int column);
    void changeSelectingUserShortcutActivated();
    void escapeKeyShortcutActivated();
    bool gestureEvent(QGestureEvent* event);
    void swipeTriggered(QSwipeGesture* gesture, QWidget* widget);
    void filterChanged(const QString& filter);
    void updateHostsList(const QStringList& hosts);
    void updateUsers(const UsersData& users);
    void setGenericPamHeader(const QString& header, bool echo);
    void setGenericPamMessage(const QString& message);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void bindForm(QWidget* form, const ThemeDescription& description);
    void findNamedWidgets();
    void describeForAssistiveTechnology();
    void describeCell(QTableWidget* table, int row, int column, const UserData& user) const;
    void installGestureAndEventFilter();
    void setUsernameOrPasswordFocus();
    QWidget* makeCell(const UserData& user, QFile* itemForm);
    /// Throws CommonException when @p itemForm cannot show a user.
    static void checkItemForm(QFile* itemForm);
    void showPageDots(int page);
    static void sizeStackToCurrentPage(QStackedWidget* stack);
    void markCurrentUserCell(QTableWidget* table) const;

    ThemeDescription m_description { QString() };
    std::unique_ptr<QFile> m_verticalItemForm;
    std::unique_ptr<QFile> m_horizontalItemForm;

    QLabel* m_selectedUserIconLabel = nullptr;
    QLabel* m_usernameLabel = nullptr;
    QLabel* m_userHostnameLabel = nullptr;
    QTableWidget* m_shortUsersTableWidget = nullptr;
    QTableWidget* m_allUsersTableWidget = nullptr;
    QTableWidget* m_userPagesTableWidget = nullptr;
    QStackedWidget* m_usersStackedWidget = nullptr;
    QStackedWidget* m_commonStackedWidget = nullptr;
    QToolButton* m_changeUserToolButton = nullptr;
    QLineEdit* m_usernameLineEdit = nullptr;
    QLineEdit* m_passwordUsernameLineEdit = nullptr;
    QToolButton* m_loginUsernameToolButton = nullptr;
    QComboBox* m_hostsComboBox = nullptr;
    QLineEdit* m_passwordLineEdit = nullptr;
    QToolButton* m_loginToolButton = nullptr;
    QStackedWidget* m_loginStackedWidget = nullptr;
    QWidget* m_userSelectionWidget = nullptr;
    QLabel* m_capsLockLabel = nullptr;
    QLabel* m_capsLockUsernameLabel = nullptr;
    QLineEdit* m_usersFilterLineEdit = nullptr;
    QLabel* m_hostnameLabel = nullptr;

    UsersData m_allUsers;
    QList<UsersData> m_userPages;
    int m_shortListColumnLimit = 0;
    int m_allUsersRows = 0;
    int m_allUsersColumns = 0;
    int m_allUsersColumnWidth = 0;
    int m_currentUsersPage = 0;
    bool m_tokenUsersOnly = false;

    QIcon m_whiteDot;
    QIcon m_emptyWhiteDot;
    QIcon m_tokenIcon;
    QIcon m_formUserPicture; ///< the chosen-user picture the form shows before anybody is chosen

    bool m_noPassEnabled = false;
    QStringList m_noPassList;
    const QString m_tokenMessage;
    bool m_focusPassword = false;
    QString m_greetString;
    QString m_passwordFieldName; ///< the answer field's name in the form, for when no prompt names it
    QString m_usernameLabelDescription; ///< the form's description of the chosen user's name
    bool m_focusHandedToGrid = false; ///< the widget gave up passing the focus on while the grid shows
};
