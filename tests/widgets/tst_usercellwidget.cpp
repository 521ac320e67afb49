// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Exceptions.h"
#include "ImageUtils.h"
#include "ThemeWidgetCreator.h"
#include "UserCellWidget.h"

#include <QBitmap>
#include <QLabel>
#include <QPainter>
#include <QTest>

namespace
{

/// An icon with exactly one available size, filled with one colour.
QIcon iconOfSize(const QSize& size, const QColor& colour = Qt::red)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    QIcon icon;
    icon.addPixmap(pixmap);
    return icon;
}

bool opaqueAt(const QPixmap& pixmap, int x, int y)
{
    return qAlpha(pixmap.toImage().pixel(x, y)) > 0;
}

/// Width of the opaque run through the middle row.
int discDiameter(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage();
    const int y = image.height() / 2;
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}

} // namespace

class UserCellWidgetTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void squareIconBecomesCentredDisc();
    void wideIconIsCroppedToTheCentre();
    void emptyIconGivesEmptyPicture();
    void emblemSitsInTheBottomRightCorner();
    void realPaintDeviceSizeIsFiveTimesAt96Dpi();

    void loadShowsTheUser();
    void loggedMarkFollowsTheFlag();
    void settersDoNotChangeTheRecord();
    void missingLabelThrows();
};

void UserCellWidgetTest::squareIconBecomesCentredDisc()
{
    const QPixmap picture = Utils::circlePixmapFromIcon(iconOfSize(QSize(64, 64)), QSize(48, 48));
    QCOMPARE(picture.size(), QSize(48, 48));
    QVERIFY(qAbs(discDiameter(picture) - 38) <= 1);
    QVERIFY(opaqueAt(picture, 24, 24));
    QVERIFY(!opaqueAt(picture, 2, 24));
    QVERIFY(!opaqueAt(picture, 0, 0));
    QVERIFY(!opaqueAt(picture, 47, 47));
    // Hard edges: every pixel is either fully opaque or fully transparent.
    const QImage image = picture.toImage();
    for (int x = 0; x < 48; ++x)
        QVERIFY(qAlpha(image.pixel(x, 24)) == 0 || qAlpha(image.pixel(x, 24)) == 255);
}

void UserCellWidgetTest::wideIconIsCroppedToTheCentre()
{
    // Left quarter blue, the rest red: after covering 40×40 (80×40) and cropping the middle,
    // no blue remains.
    QPixmap pixmap(100, 50);
    pixmap.fill(Qt::red);
    {
        QPainter painter(&pixmap);
        painter.fillRect(0, 0, 25, 50, Qt::blue);
    }
    QIcon icon;
    icon.addPixmap(pixmap);
    const QPixmap picture = Utils::circlePixmapFromIcon(icon, QSize(40, 40));
    QCOMPARE(picture.size(), QSize(40, 40));
    QVERIFY(qAbs(discDiameter(picture) - 30) <= 1);
    const QImage image = picture.toImage();
    QCOMPARE(QColor(image.pixel(6, 20)).rgb() & 0xffffff, QColor(Qt::red).rgb() & 0xffffff);
    QCOMPARE(QColor(image.pixel(20, 20)).rgb() & 0xffffff, QColor(Qt::red).rgb() & 0xffffff);
}

void UserCellWidgetTest::emptyIconGivesEmptyPicture()
{
    QVERIFY(Utils::circlePixmapFromIcon(QIcon(), QSize(48, 48)).isNull());
    QVERIFY(Utils::circlePixmapFromIconWithEmblem(QIcon(), QSize(48, 48), iconOfSize(QSize(16, 16))).isNull());
}

void UserCellWidgetTest::emblemSitsInTheBottomRightCorner()
{
    const QPixmap picture = Utils::circlePixmapFromIconWithEmblem(
        iconOfSize(QSize(64, 64)), QSize(48, 48), iconOfSize(QSize(16, 16), Qt::green));
    const QImage image = picture.toImage();
    // Top-left corner of the emblem at (31, 31), 16×16, over the transparent margin too.
    QCOMPARE(QColor(image.pixel(31, 31)), QColor(Qt::green));
    QCOMPARE(QColor(image.pixel(46, 46)), QColor(Qt::green));
    QVERIFY(QColor(image.pixel(30, 30)) != QColor(Qt::green));
    QVERIFY(qAlpha(image.pixel(47, 47)) == 0);
}

void UserCellWidgetTest::realPaintDeviceSizeIsFiveTimesAt96Dpi()
{
    QLabel label;
    label.setFixedSize(48, 30);
    const QSize size = Utils::caclulateRealPaintDeviceSize(&label);
    QCOMPARE(size.width(), int(96.0 / label.physicalDpiX() * 5.0 * 48));
    QCOMPARE(size.height(), int(96.0 / label.physicalDpiY() * 5.0 * 30));
    QVERIFY(Utils::caclulateRealPaintDeviceSize(nullptr).isEmpty());
}

void UserCellWidgetTest::loadShowsTheUser()
{
    UserData user;
    user.username = QStringLiteral("anna");
    user.hostname = QStringLiteral("<b>station</b>");
    user.icon = iconOfSize(QSize(64, 64));
    UserCellWidget cell(user);
    cell.load(ThemeWidgetCreator::create(QStringLiteral(TEST_FORMS_DIR "/item_form.ui")));
    QCOMPARE(cell.findChild<QLabel*>(QStringLiteral("usernameLabel"))->text(), QStringLiteral("anna"));
    auto* host = cell.findChild<QLabel*>(QStringLiteral("hostnameLabel"));
    QCOMPARE(host->text(), QStringLiteral("<b>station</b>"));
    QCOMPARE(host->textFormat(), Qt::PlainText);
    const QPixmap picture = cell.findChild<QLabel*>(QStringLiteral("iconLabel"))->pixmap(Qt::ReturnByValue);
    QCOMPARE(picture.size(), Utils::caclulateRealPaintDeviceSize(cell.findChild<QLabel*>(QStringLiteral("iconLabel"))));
    QCOMPARE(cell.userData().username, QStringLiteral("anna"));
}

void UserCellWidgetTest::loggedMarkFollowsTheFlag()
{
    for (bool logged : { false, true }) {
        UserData user;
        user.username = QStringLiteral("boris");
        user.logged = logged;
        user.hasToken = true; // no "media-flash" in the test's icon theme: no emblem, no crash
        UserCellWidget cell(user);
        cell.load(ThemeWidgetCreator::create(QStringLiteral(TEST_FORMS_DIR "/item_form.ui")));
        QCOMPARE(cell.findChild<QLabel*>(QStringLiteral("isLoggedLabel"))->isVisibleTo(&cell), logged);
    }
}

void UserCellWidgetTest::settersDoNotChangeTheRecord()
{
    UserData user;
    user.username = QStringLiteral("clara");
    UserCellWidget cell(user);
    cell.load(ThemeWidgetCreator::create(QStringLiteral(TEST_FORMS_DIR "/item_form.ui")));
    cell.setUsername(QStringLiteral("other"));
    cell.setHostname(QStringLiteral("elsewhere"));
    cell.setLogged(true);
    QCOMPARE(cell.userData().username, QStringLiteral("clara"));
    QVERIFY(cell.userData().hostname.isEmpty());
    QVERIFY(!cell.userData().logged);
}

void UserCellWidgetTest::missingLabelThrows()
{
    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("bareForm"));
    auto* icon = new QLabel(form);
    icon->setObjectName(QStringLiteral("iconLabel"));
    UserCellWidget cell(UserData {});
    try {
        cell.load(form);
        QFAIL("no exception");
    } catch (const CommonException& e) {
        QCOMPARE(e.fullDetails(), QStringLiteral("Widget 'usernameLabel' not found in parent 'bareForm'"));
    }
}

QTEST_MAIN(UserCellWidgetTest)
#include "tst_usercellwidget.moc"
