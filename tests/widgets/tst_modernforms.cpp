// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "ThemeWidgetCreator.h"
#include "Utils.h"

#include <QComboBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace
{

const QString themeDir = QStringLiteral(MODERN_THEME_DIR);

std::unique_ptr<QWidget> loadForm(const QString& file)
{
    std::unique_ptr<QWidget> form(ThemeWidgetCreator::create(themeDir + QLatin1Char('/') + file));
    if (!form)
        qFatal("%s is not a form", qPrintable(file));
    return form;
}

/// The next widget that Tab reaches after @p widget, skipping what takes no keyboard focus.
QWidget* nextTabStop(QWidget* widget)
{
    for (QWidget* next = widget->nextInFocusChain(); next != widget; next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus)
            return next;
    }
    return nullptr;
}

} // namespace

class ModernFormsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void loginAreaHasEveryNamedWidget_data();
    void loginAreaHasEveryNamedWidget();
    void pagesStandAtTheirIndices_data();
    void pagesStandAtTheirIndices();
    void tablesKeepTheirDesignedMeasures_data();
    void tablesKeepTheirDesignedMeasures();
    void tablesShowOnlyTheirCells();

    void cellFormsHaveTheirLabels_data();
    void cellFormsHaveTheirLabels();
    void cellsFitTheirTableSections_data();
    void cellsFitTheirTableSections();
    void chosenUserPictureHasAFixedSize();

    void passwordsAreHiddenAndFieldsExplained_data();
    void passwordsAreHiddenAndFieldsExplained();
    void everyControlHasAnAccessibleName_data();
    void everyControlHasAnAccessibleName();
    void tabFollowsTheWayUsersType_data();
    void tabFollowsTheWayUsersType();

    void iconsLoad_data();
    void iconsLoad();
    void pageDotsTellCurrentFromOther();
    void relativePicturesResolveInTheTheme();

    void wallpaperShowsThroughTheLoginArea();
    void loginAreaFitsASmallScreen();

private:
    std::unique_ptr<QWidget> m_loginArea;
};

void ModernFormsTest::initTestCase()
{
    m_loginArea = loadForm(QStringLiteral("central_widget.ui"));
}

void ModernFormsTest::loginAreaHasEveryNamedWidget_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");

    // clang-format off
    const char* const widgets[][2] = {
        {"selectedUserIconLabel", "QLabel"},        {"usernameLabel", "QLabel"},
        {"userHostnameLabel", "QLabel"},            {"shortUsersTableWidget", "QTableWidget"},
        {"allUsersTableWidget", "QTableWidget"},    {"userPagesTableWidget", "QTableWidget"},
        {"usersStackedWidget", "QStackedWidget"},   {"commonStackedWidget", "QStackedWidget"},
        {"changeUserToolButton", "QToolButton"},    {"usernameLineEdit", "QLineEdit"},
        {"passwordUsernameLineEdit", "QLineEdit"},  {"loginUsernameToolButton", "QToolButton"},
        {"hostsComboBox", "QComboBox"},             {"passwordLineEdit", "QLineEdit"},
        {"loginToolButton", "QToolButton"},         {"loginStackedWidget", "QStackedWidget"},
        {"userSelectionWidget", "QWidget"},         {"capsLockLabel", "QLabel"},
        {"capsLockUsernameLabel", "QLabel"},        {"usersFilterLineEdit", "QLineEdit"},
        {"hostnameLabel", "QLabel"},
    };
    // clang-format on
    for (const auto& widget : widgets)
        QTest::newRow(widget[0]) << QString::fromLatin1(widget[0]) << QString::fromLatin1(widget[1]);
}

void ModernFormsTest::loginAreaHasEveryNamedWidget()
{
    QFETCH(QString, name);
    QFETCH(QString, type);

    QWidget* widget = Utils::findWidget<QWidget*>(name, m_loginArea.get());
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), type);
    QCOMPARE(m_loginArea->findChildren<QWidget*>(name).size(), 1);
}

void ModernFormsTest::pagesStandAtTheirIndices_data()
{
    QTest::addColumn<QString>("stack");
    QTest::addColumn<QStringList>("pages");

    QTest::newRow("login") << QStringLiteral("loginStackedWidget")
                           << QStringList { QStringLiteral("userInfoPage"), QStringLiteral("enterUsernamePage") };
    QTest::newRow("common") << QStringLiteral("commonStackedWidget")
                            << QStringList { QStringLiteral("loginPage"), QStringLiteral("allUsersPage") };
    QTest::newRow("users") << QStringLiteral("usersStackedWidget")
                           << QStringList { QStringLiteral("changeUserButtonPage"), QStringLiteral("shortUsersPage") };
}

void ModernFormsTest::pagesStandAtTheirIndices()
{
    QFETCH(QString, stack);
    QFETCH(QStringList, pages);

    auto* stacked = Utils::findWidget<QStackedWidget*>(stack, m_loginArea.get());
    QCOMPARE(stacked->count(), pages.size());
    for (int index = 0; index < pages.size(); ++index)
        QCOMPARE(stacked->widget(index)->objectName(), pages.at(index));
    QCOMPARE(stacked->currentIndex(), 0);
}

void ModernFormsTest::tablesKeepTheirDesignedMeasures_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("columnWidth");
    QTest::addColumn<int>("rowHeight");

    QTest::newRow("short list") << QStringLiteral("shortUsersTableWidget") << 1 << 5 << 140 << 144;
    QTest::newRow("grid") << QStringLiteral("allUsersTableWidget") << 3 << 4 << 224 << 96;
    QTest::newRow("page dots") << QStringLiteral("userPagesTableWidget") << 1 << 0 << 20 << 20;
}

void ModernFormsTest::tablesKeepTheirDesignedMeasures()
{
    QFETCH(QString, table);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, columnWidth);
    QFETCH(int, rowHeight);

    auto* widget = Utils::findWidget<QTableWidget*>(table, m_loginArea.get());
    QCOMPARE(widget->rowCount(), rows);
    QCOMPARE(widget->columnCount(), columns);
    QCOMPARE(widget->horizontalHeader()->defaultSectionSize(), columnWidth);
    QCOMPARE(widget->verticalHeader()->defaultSectionSize(), rowHeight);
}

void ModernFormsTest::tablesShowOnlyTheirCells()
{
    for (auto* table : m_loginArea->findChildren<QTableWidget*>()) {
        const QByteArray name = table->objectName().toLatin1();
        QVERIFY2(table->horizontalHeader()->isHidden(), name);
        QVERIFY2(table->verticalHeader()->isHidden(), name);
        QVERIFY2(!table->showGrid(), name);
        QCOMPARE(table->selectionMode(), QAbstractItemView::NoSelection);
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(table->frameShape(), QFrame::NoFrame);
    }
}

void ModernFormsTest::cellFormsHaveTheirLabels_data()
{
    QTest::addColumn<QString>("form");

    QTest::newRow("short list cell") << QStringLiteral("vertical_user_item.ui");
    QTest::newRow("grid cell") << QStringLiteral("horizontal_user_item.ui");
}

void ModernFormsTest::cellFormsHaveTheirLabels()
{
    QFETCH(QString, form);

    const std::unique_ptr<QWidget> cell = loadForm(form);
    for (const char* name : { "iconLabel", "usernameLabel", "hostnameLabel", "isLoggedLabel" }) {
        auto* label = Utils::findWidget<QLabel*>(QString::fromLatin1(name), cell.get());
        QCOMPARE(QString::fromLatin1(label->metaObject()->className()), QStringLiteral("QLabel"));
    }
    // The round picture is rendered for the label's size and must not change it.
    auto* icon = Utils::findWidget<QLabel*>(QStringLiteral("iconLabel"), cell.get());
    QVERIFY(!icon->minimumSize().isEmpty());
    QCOMPARE(icon->minimumSize(), icon->maximumSize());
    QVERIFY(icon->hasScaledContents());
}

void ModernFormsTest::cellsFitTheirTableSections_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("table");

    QTest::newRow("short list") << QStringLiteral("vertical_user_item.ui") << QStringLiteral("shortUsersTableWidget");
    QTest::newRow("grid") << QStringLiteral("horizontal_user_item.ui") << QStringLiteral("allUsersTableWidget");
}

void ModernFormsTest::cellsFitTheirTableSections()
{
    QFETCH(QString, form);
    QFETCH(QString, table);

    // A cell larger than its section makes the columns grow and the list spill off the card.
    const std::unique_ptr<QWidget> cell = loadForm(form);
    for (const char* name : { "usernameLabel", "hostnameLabel" }) {
        Utils::findWidget<QLabel*>(QString::fromLatin1(name), cell.get())
            ->setText(QStringLiteral("a-rather-long-user-name-from-a-directory"));
    }
    auto* widget = Utils::findWidget<QTableWidget*>(table, m_loginArea.get());
    const QSize hint = cell->sizeHint().expandedTo(cell->minimumSize());
    QVERIFY2(hint.width() <= widget->horizontalHeader()->defaultSectionSize(), QByteArray::number(hint.width()));
    QVERIFY2(hint.height() <= widget->verticalHeader()->defaultSectionSize(), QByteArray::number(hint.height()));
}

void ModernFormsTest::chosenUserPictureHasAFixedSize()
{
    auto* picture = Utils::findWidget<QLabel*>(QStringLiteral("selectedUserIconLabel"), m_loginArea.get());
    QCOMPARE(picture->minimumSize(), QSize(96, 96));
    QCOMPARE(picture->maximumSize(), QSize(96, 96));
    QVERIFY(picture->hasScaledContents());
}

void ModernFormsTest::passwordsAreHiddenAndFieldsExplained_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<bool>("secret");

    QTest::newRow("password") << QStringLiteral("passwordLineEdit") << QStringLiteral("Password") << true;
    QTest::newRow("password after name") << QStringLiteral("passwordUsernameLineEdit") << QStringLiteral("Password")
                                         << true;
    QTest::newRow("user name") << QStringLiteral("usernameLineEdit") << QStringLiteral("User name") << false;
    QTest::newRow("filter") << QStringLiteral("usersFilterLineEdit") << QStringLiteral("Filter") << false;
}

void ModernFormsTest::passwordsAreHiddenAndFieldsExplained()
{
    QFETCH(QString, field);
    QFETCH(QString, placeholder);
    QFETCH(bool, secret);

    auto* edit = Utils::findWidget<QLineEdit*>(field, m_loginArea.get());
    QCOMPARE(edit->placeholderText(), placeholder);
    QCOMPARE(edit->echoMode(), secret ? QLineEdit::Password : QLineEdit::Normal);
}

void ModernFormsTest::everyControlHasAnAccessibleName_data()
{
    QTest::addColumn<QString>("form");

    QTest::newRow("login area") << QStringLiteral("central_widget.ui");
    QTest::newRow("short list cell") << QStringLiteral("vertical_user_item.ui");
    QTest::newRow("grid cell") << QStringLiteral("horizontal_user_item.ui");
}

void ModernFormsTest::everyControlHasAnAccessibleName()
{
    QFETCH(QString, form);

    const std::unique_ptr<QWidget> widget = loadForm(form);
    const auto widgets = widget->findChildren<QWidget*>();
    for (QWidget* child : widgets) {
        const bool control = qobject_cast<QLineEdit*>(child) || qobject_cast<QToolButton*>(child)
            || qobject_cast<QComboBox*>(child) || qobject_cast<QTableWidget*>(child);
        // Qt's own parts of a control (a line edit's clear button) are named by Qt, not the theme.
        const QString name = child->objectName();
        if (!control || name.isEmpty() || name.startsWith(QLatin1String("qt_"))
            || name.startsWith(QLatin1String("_q_")))
            continue;
        QVERIFY2(!child->accessibleName().isEmpty(), child->objectName().toLatin1());
    }
}

void ModernFormsTest::tabFollowsTheWayUsersType_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");

    QTest::newRow("name to password") << QStringLiteral("usernameLineEdit")
                                      << QStringLiteral("passwordUsernameLineEdit");
    QTest::newRow("password to its button")
        << QStringLiteral("passwordUsernameLineEdit") << QStringLiteral("loginUsernameToolButton");
    QTest::newRow("button to host") << QStringLiteral("loginUsernameToolButton") << QStringLiteral("hostsComboBox");
    QTest::newRow("user's password to button")
        << QStringLiteral("passwordLineEdit") << QStringLiteral("loginToolButton");
    QTest::newRow("login to other users")
        << QStringLiteral("loginToolButton") << QStringLiteral("changeUserToolButton");
    QTest::newRow("filter to grid") << QStringLiteral("usersFilterLineEdit") << QStringLiteral("allUsersTableWidget");
}

void ModernFormsTest::tabFollowsTheWayUsersType()
{
    QFETCH(QString, from);
    QFETCH(QString, to);

    QWidget* next = nextTabStop(Utils::findWidget<QWidget*>(from, m_loginArea.get()));
    QVERIFY(next);
    QCOMPARE(next->objectName(), to);
}

void ModernFormsTest::iconsLoad_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");

    QTest::newRow("current page") << QStringLiteral("icon_white_circle.svg") << QSize(16, 16);
    QTest::newRow("other page") << QStringLiteral("icon_empty_white_circle.svg") << QSize(16, 16);
    QTest::newRow("token") << QStringLiteral("icon-token.png") << QSize(256, 256);
}

void ModernFormsTest::iconsLoad()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);

    const QString path = themeDir + QLatin1Char('/') + file;
    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.pixmap(size).isNull());
    QCOMPARE(QPixmap(path).size(), size);
}

void ModernFormsTest::pageDotsTellCurrentFromOther()
{
    // The dots are drawn at the strip's row height minus 4 pixels.
    auto* strip = Utils::findWidget<QTableWidget*>(QStringLiteral("userPagesTableWidget"), m_loginArea.get());
    const int side = strip->verticalHeader()->defaultSectionSize() - 4;
    const QImage current = QIcon(themeDir + QStringLiteral("/icon_white_circle.svg")).pixmap(side, side).toImage();
    const QImage other = QIcon(themeDir + QStringLiteral("/icon_empty_white_circle.svg")).pixmap(side, side).toImage();
    QCOMPARE(current.size(), QSize(side, side));
    QCOMPARE(other.size(), QSize(side, side));

    const QPoint centre(side / 2, side / 2);
    QCOMPARE(current.pixelColor(centre), QColor(Qt::white));
    QCOMPARE(other.pixelColor(centre).alpha(), 0);
    // Both are round: the corners stay clear.
    QCOMPARE(current.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(other.pixelColor(0, 0).alpha(), 0);
    // The ring shows on the left edge of the dot's circle.
    QVERIFY(other.pixelColor(1, side / 2).alpha() > 128);
}

void ModernFormsTest::relativePicturesResolveInTheTheme()
{
    auto* picture = Utils::findWidget<QLabel*>(QStringLiteral("genericUserIconLabel"), m_loginArea.get());
    QVERIFY(!picture->pixmap(Qt::ReturnByValue).isNull());
}

void ModernFormsTest::wallpaperShowsThroughTheLoginArea()
{
    // The wallpaper is painted behind the login area; the form must not cover it anywhere
    // outside its controls.
    QWidget backdrop;
    backdrop.setAutoFillBackground(true);
    QPalette palette = backdrop.palette();
    palette.setColor(QPalette::Window, Qt::red);
    backdrop.setPalette(palette);
    auto* layout = new QVBoxLayout(&backdrop);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* form = loadForm(QStringLiteral("central_widget.ui")).release();
    layout->addWidget(form);
    backdrop.resize(1366, 768);
    backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));

    auto* common = Utils::findWidget<QStackedWidget*>(QStringLiteral("commonStackedWidget"), form);
    auto* usersStack = Utils::findWidget<QStackedWidget*>(QStringLiteral("usersStackedWidget"), form);
    usersStack->setCurrentIndex(1);
    auto* shortList = Utils::findWidget<QTableWidget*>(QStringLiteral("shortUsersTableWidget"), form);
    QImage image = backdrop.grab().toImage();
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::red));
    QCOMPARE(image.pixelColor(shortList->mapTo(&backdrop, shortList->rect().center())), QColor(Qt::red));

    common->setCurrentIndex(1);
    auto* grid = Utils::findWidget<QTableWidget*>(QStringLiteral("allUsersTableWidget"), form);
    image = backdrop.grab().toImage();
    QCOMPARE(image.pixelColor(grid->mapTo(&backdrop, grid->rect().center())), QColor(Qt::red));
    QCOMPARE(image.pixelColor(image.width() - 3, image.height() - 3), QColor(Qt::red));
}

void ModernFormsTest::loginAreaFitsASmallScreen()
{
    // At 1366 × 768 the bars of the common controls take some of the height; the login
    // area with its tallest page must fit in what is left.
    const QSize least = m_loginArea->minimumSizeHint();
    QVERIFY2(least.width() <= 1366, QByteArray::number(least.width()));
    QVERIFY2(least.height() <= 620, QByteArray::number(least.height()));
}

QTEST_MAIN(ModernFormsTest)
#include "tst_modernforms.moc"
