// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The login widget's user choice: the short list, the paged grid with its page dots,
// the filter, the swipe gesture and the name completer.
#include "LoginWidget.h"

#include "Exceptions.h"

#include "ThemeWidgetCreator.h"
#include "UserCellWidget.h"

#include <QCompleter>
#include <QFile>
#include <QGestureEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QStringListModel>
#include <QStyle>
#include <QTableWidget>

#include <cstdio>
#include <memory>

namespace
{

/**
 * Empties @p table, deleting its cell widgets at once. A plain clear() leaves them to the
 * event loop, and Qt's handling of thousands of pending deletions (one page dot per page)
 * grows with their square.
 */
void clearTable(QTableWidget* table)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column)
            delete table->cellWidget(row, column);
    }
    table->clear();
}

} // namespace

void LoginWidget::setUsers(const UsersData& users, const bool& tokenUsersOnly)
{
    m_allUsers = users;
    updatePasswordUsernameLineEditPlaceholder();
    m_tokenUsersOnly = tokenUsersOnly;
    if (!tokenUsersOnly && users.isEmpty()) {
        m_userSelectionWidget->hide();
        return;
    }
    m_userSelectionWidget->setVisible(users.size() > 1);
    setUserLists(users);
    setCurrentUsersWidgetPage(m_allUsers.size() < 4 ? ShortUsersPage : ChangeUserButtonPage);
    if (tokenUsersOnly)
        enableTokenMessage(true);
}

void LoginWidget::updateUsers(const UsersData& users)
{
    m_allUsers = users;
    updatePasswordUsernameLineEditPlaceholder();
    m_usersFilterLineEdit->clear();
    setUserLists(users);
    enableTokenMessage(m_tokenUsersOnly && users.isEmpty());
    m_userSelectionWidget->setVisible(users.size() >= 2);
    if (currentUsersWidgetPage() != ChangeUserButtonPage && m_allUsers.size() >= 4)
        setCurrentUsersWidgetPage(ChangeUserButtonPage);
    if (currentCommonWidgetPage() != LoginPage)
        setCurrentCommonWidgetPage(LoginPage);
    if (!users.isEmpty())
        selectCurrentUserData(users);
}

void LoginWidget::setUserLists(const UsersData& users)
{
    if (users.size() > m_shortListColumnLimit) {
        setShortListUsers(UsersData());
        setAllListUsers(users);
    } else {
        setShortListUsers(users);
        setAllListUsers(UsersData());
    }
}

QWidget* LoginWidget::makeCell(const UserData& user, QFile* itemForm)
{
    // In generic mode no item form is open: there are no cells to build.
    if (!itemForm)
        return nullptr;
    QWidget* form = ThemeWidgetCreator::create(itemForm);
    if (!form)
        return nullptr;
    auto* cell = new UserCellWidget(user);
    try {
        cell->load(form);
    } catch (const DetailsException& error) {
        // Cells are made while users come and go, inside the event loop, where nothing may
        // be thrown: load() has tried both item forms once, so this is reported, not fatal.
        delete cell;
        static bool reported = false;
        if (!reported) {
            reported = true;
            std::fprintf(stderr, "nimb-qdm: a user cannot be shown: %s\n", qUtf8Printable(error.fullDetails()));
        }
        return nullptr;
    }
    return cell;
}

void LoginWidget::checkItemForm(QFile* itemForm)
{
    std::unique_ptr<QWidget> form(ThemeWidgetCreator::create(itemForm));
    if (!form)
        throw CommonException(tr("'%1' is not a form").arg(itemForm->fileName()));
    UserCellWidget cell { UserData() };
    cell.load(form.release());
}

void LoginWidget::setShortListUsers(const UsersData& users)
{
    clearTable(m_shortUsersTableWidget);
    m_shortUsersTableWidget->setColumnCount(std::min(m_shortListColumnLimit, int(users.size())));
    int column = 0;
    for (const UserData& user : users) {
        if (column >= m_shortListColumnLimit)
            break;
        if (QWidget* cell = makeCell(user, m_verticalItemForm.get())) {
            m_shortUsersTableWidget->setCellWidget(0, column, cell);
            describeCell(m_shortUsersTableWidget, 0, column, user);
        }
        ++column;
    }
    m_shortUsersTableWidget->resizeColumnsToContents();
    markCurrentUserCell(m_shortUsersTableWidget);
}

void LoginWidget::markCurrentUserCell(QTableWidget* table) const
{
    // The chosen user's cell is the table's current cell, so the keyboard starts there and
    // the focus frame shows on it, and its form carries current="true" for the theme to mark.
    const QString current = currentUsername();
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            auto* cell = qobject_cast<UserCellWidget*>(table->cellWidget(row, column));
            if (!cell)
                continue;
            const bool isCurrent = !current.isEmpty() && cell->userData().username == current;
            if (isCurrent)
                table->setCurrentCell(row, column);
            const QList<QWidget*> forms = cell->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
            for (QWidget* form : forms) {
                if (form->property("current").toBool() == isCurrent)
                    continue;
                form->setProperty("current", isCurrent);
                form->style()->unpolish(form);
                form->style()->polish(form);
            }
        }
    }
}

QList<UsersData> LoginWidget::splitUsersIntoPages(const UsersData& users) const
{
    const int pageSize = m_allUsersRows * m_allUsersColumns;
    // A grid designed without rows or columns would never finish cutting: one page for all.
    if (pageSize <= 0)
        return { users };
    QList<UsersData> pages;
    for (int start = 0; start < users.size(); start += pageSize)
        pages.append(users.mid(start, pageSize));
    if (pages.isEmpty())
        pages.append(UsersData());
    return pages;
}

void LoginWidget::setAllListUsers(const UsersData& users)
{
    m_userPages = splitUsersIntoPages(users);
    clearTable(m_userPagesTableWidget);
    m_userPagesTableWidget->setColumnCount(m_userPages.size());
    m_userPagesTableWidget->setMaximumWidth(
        m_userPages.size() * m_userPagesTableWidget->horizontalHeader()->defaultSectionSize());
    for (int column = 0; column < m_userPages.size(); ++column) {
        auto* dot = new QLabel;
        dot->setAlignment(Qt::AlignCenter);
        m_userPagesTableWidget->setCellWidget(0, column, dot);
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setData(Qt::AccessibleTextRole, tr("Page %1 of %2").arg(column + 1).arg(m_userPages.size()));
        m_userPagesTableWidget->setItem(0, column, item);
    }
    setUsersPage(0);
}

void LoginWidget::setUsersPage(int page)
{
    clearTable(m_allUsersTableWidget);
    m_allUsersTableWidget->setRowCount(1);
    m_allUsersTableWidget->setColumnCount(m_allUsersColumns);

    const UsersData users = m_userPages.value(page);
    int row = 0;
    int column = 0;
    for (const UserData& user : users) {
        if (column >= m_allUsersColumns) {
            ++row;
            if (row >= m_allUsersRows)
                break;
            m_allUsersTableWidget->insertRow(row);
            column = 0;
        }
        if (QWidget* cell = makeCell(user, m_horizontalItemForm.get())) {
            m_allUsersTableWidget->setCellWidget(row, column, cell);
            describeCell(m_allUsersTableWidget, row, column, user);
        }
        ++column;
    }

    showPageDots(page);
    resizeAllUsersWidgets();
    markCurrentUserCell(m_allUsersTableWidget);
    // Arrow keys and Enter work from a cell: a page without the chosen user starts at its first.
    if (!m_allUsersTableWidget->currentIndex().isValid() && m_allUsersTableWidget->cellWidget(0, 0))
        m_allUsersTableWidget->setCurrentCell(0, 0);
}

void LoginWidget::describeCell(QTableWidget* table, int row, int column, const UserData& user) const
{
    // The cells are widgets over the table; a screen reader reads the table's own cells, so
    // each gets the words for what its widget shows. People are named as people know them;
    // the login goes with the host into the description, to tell two alike names apart.
    QString text = user.displayName();
    if (user.logged)
        text = tr("%1, logged in").arg(text);
    if (user.hasToken)
        text = tr("%1, token inserted").arg(text);
    QString description = user.hostname;
    if (!user.fullName.isEmpty()) {
        //: Read after a user's full name: the login name, then the machine of the account.
        description = user.hostname.isEmpty() ? user.username : tr("%1 on %2").arg(user.username, user.hostname);
    }
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setData(Qt::AccessibleTextRole, text);
    item->setData(Qt::AccessibleDescriptionRole, description);
    table->setItem(row, column, item);
}

void LoginWidget::showPageDots(int page)
{
    const int side = m_userPagesTableWidget->verticalHeader()->defaultSectionSize() - 4;
    const QSize size(side, side);
    for (int column = 0; column < m_userPagesTableWidget->columnCount(); ++column) {
        auto* dot = qobject_cast<QLabel*>(m_userPagesTableWidget->cellWidget(0, column));
        if (!dot)
            continue;
        if (column == page) {
            dot->setPixmap(m_whiteDot.pixmap(size));
            m_currentUsersPage = column;
        } else {
            dot->setPixmap(m_emptyWhiteDot.pixmap(size));
        }
        // Which dot is filled shows only in its picture.
        if (QTableWidgetItem* item = m_userPagesTableWidget->item(0, column))
            item->setData(Qt::AccessibleDescriptionRole, column == page ? tr("Shown") : QString());
        // The keyboard starts on the dot of the page in view.
        if (column == page)
            m_userPagesTableWidget->setCurrentCell(0, column);
    }
}

int LoginWidget::currentUsersPageIndex() const
{
    return m_currentUsersPage;
}

void LoginWidget::setNextUsersPage()
{
    if (m_currentUsersPage < m_userPagesTableWidget->columnCount() - 1)
        setUsersPage(m_currentUsersPage + 1);
}

void LoginWidget::setPreviosUsersPage()
{
    if (m_currentUsersPage > 0)
        setUsersPage(m_currentUsersPage - 1);
}

void LoginWidget::userPagesWidgetPressed(int /*row*/, int column)
{
    m_userPagesTableWidget->clearFocus();
    setUsersPage(column);
}

void LoginWidget::userPagesWidgetActivated(int /*row*/, int column)
{
    setUsersPage(column);
}

void LoginWidget::resizeAllUsersWidgets()
{
    QTableWidget* grid = m_allUsersTableWidget;
    if (!grid)
        return;
    grid->resizeColumnsToContents();
    int columnWidth = m_allUsersColumnWidth;
    for (int column = 0; column < grid->columnCount(); ++column)
        columnWidth = std::max(columnWidth, grid->columnWidth(column));
    grid->horizontalHeader()->setDefaultSectionSize(columnWidth);
    for (int column = 0; column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, columnWidth);

    int width = columnWidth * grid->columnCount();
    const int height = grid->verticalHeader()->defaultSectionSize() * grid->rowCount();
    if (parentWidget() && parentWidget()->width() < width)
        width = parentWidget()->width();
    grid->setFixedSize(width, height);
}

void LoginWidget::resizeEvent(QResizeEvent* event)
{
    resizeAllUsersWidgets();
    QWidget::resizeEvent(event);
}

void LoginWidget::filterChanged(const QString& filter)
{
    UsersData matching;
    for (const UserData& user : qAsConst(m_allUsers)) {
        if (user.username.contains(filter, Qt::CaseSensitive))
            matching.append(user);
    }
    setAllListUsers(matching);
}

void LoginWidget::allUsersTableWidgetPressed(int row, int column)
{
    auto* cell = qobject_cast<UserCellWidget*>(m_allUsersTableWidget->cellWidget(row, column));
    if (!cell)
        return;
    m_allUsersTableWidget->clearFocus();
    setCurrentUserData(cell->userData());
    setCurrentCommonWidgetPage(LoginPage);
}

void LoginWidget::shortUsersTableWidgetPressed(int row, int column)
{
    auto* cell = qobject_cast<UserCellWidget*>(m_shortUsersTableWidget->cellWidget(row, column));
    if (!cell)
        return;
    setCurrentUserData(cell->userData());
    if (m_allUsers.size() > 3)
        setCurrentUsersWidgetPage(ChangeUserButtonPage);
    m_passwordLineEdit->setFocus(Qt::OtherFocusReason);
}

void LoginWidget::enableUsernameCompleter(bool on)
{
    if (!m_usernameLineEdit->completer() && on) {
        auto* completer = new QCompleter(this);
        completer->setCompletionMode(QCompleter::InlineCompletion);
        m_usernameLineEdit->setCompleter(completer);
    } else if (!on && m_usernameLineEdit->completer()) {
        QCompleter* completer = m_usernameLineEdit->completer();
        m_usernameLineEdit->setCompleter(nullptr);
        completer->deleteLater();
    }
    updateUsernameCompleterValues();
}

void LoginWidget::updateUsernameCompleterValues()
{
    QCompleter* completer = m_usernameLineEdit->completer();
    if (!completer)
        return;
    QStringList names;
    names.reserve(m_allUsers.size());
    for (const UserData& user : qAsConst(m_allUsers))
        names << user.username;
    completer->setModel(new QStringListModel(names, completer));
}

bool LoginWidget::gestureEvent(QGestureEvent* event)
{
    if (QGesture* swipe = event->gesture(Qt::SwipeGesture))
        swipeTriggered(static_cast<QSwipeGesture*>(swipe), event->widget());
    return true;
}

void LoginWidget::swipeTriggered(QSwipeGesture* gesture, QWidget* widget)
{
    if (!gesture || widget != m_allUsersTableWidget || gesture->state() != Qt::GestureFinished)
        return;
    if (gesture->horizontalDirection() == QSwipeGesture::Left)
        setNextUsersPage();
    else if (gesture->horizontalDirection() == QSwipeGesture::Right)
        setPreviosUsersPage();
}
