// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "SwipeGestureRecognizer.h"

#include <QGesture>
#include <QMouseEvent>
#include <QPinchGesture>
#include <QTest>

#include <memory>

namespace
{

QMouseEvent mouse(QEvent::Type type, const QPointF& position)
{
    return QMouseEvent(type, position, position, position, Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
}

} // namespace

class SwipeGestureRecognizerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createsSwipeGesturesForTheTarget();
    void recognize_data();
    void recognize();
    void otherEventsAreIgnored();
};

void SwipeGestureRecognizerTest::createsSwipeGesturesForTheTarget()
{
    SwipeGestureRecognizer recognizer;
    QObject target;
    QGesture* gesture = recognizer.create(&target);
    QVERIFY(qobject_cast<QSwipeGesture*>(gesture));
    QCOMPARE(gesture->parent(), &target);
    QCOMPARE(gesture->gestureType(), Qt::SwipeGesture);
    std::unique_ptr<QGesture> orphan(recognizer.create(nullptr));
    QVERIFY(orphan);
}

void SwipeGestureRecognizerTest::recognize_data()
{
    QTest::addColumn<QPointF>("release");
    QTest::addColumn<int>("result");
    QTest::addColumn<qreal>("angle");
    QTest::addColumn<int>("direction");

    const int finish = QGestureRecognizer::FinishGesture;
    const int cancel = QGestureRecognizer::CancelGesture;
    // The press is always at (100, 100).
    QTest::newRow("no movement") << QPointF(100, 100) << cancel << 0.0 << int(QSwipeGesture::NoDirection);
    QTest::newRow("60 left, 10 drift: left") << QPointF(40, 110) << finish << 180.0 << int(QSwipeGesture::Left);
    QTest::newRow("60 right: right") << QPointF(160, 100) << finish << 0.0 << int(QSwipeGesture::Right);
    QTest::newRow("40 left: too short") << QPointF(60, 100) << cancel << 0.0 << int(QSwipeGesture::NoDirection);
    QTest::newRow("60 up, 20 drift: up") << QPointF(120, 40) << finish << 90.0 << int(QSwipeGesture::NoDirection);
    QTest::newRow("60 down: down") << QPointF(100, 160) << finish << 270.0 << int(QSwipeGesture::NoDirection);
    QTest::newRow("diagonal keeps both") << QPointF(160, 40) << finish << 45.0 << int(QSwipeGesture::Right);
    QTest::newRow("rounded positions") << QPointF(150.4, 100.4) << finish << 0.0 << int(QSwipeGesture::Right);
    QTest::newRow("49.6 rounds to 50") << QPointF(149.6, 100) << finish << 0.0 << int(QSwipeGesture::Right);
}

void SwipeGestureRecognizerTest::recognize()
{
    QFETCH(QPointF, release);
    QFETCH(int, result);
    QFETCH(qreal, angle);
    QFETCH(int, direction);

    SwipeGestureRecognizer recognizer;
    QObject target;
    QGesture* gesture = recognizer.create(&target);
    auto* swipe = static_cast<QSwipeGesture*>(gesture);
    swipe->setSwipeAngle(123);

    QMouseEvent press = mouse(QEvent::MouseButtonPress, QPointF(100, 100));
    QCOMPARE(int(recognizer.recognize(gesture, &target, &press)), int(QGestureRecognizer::TriggerGesture));
    QCOMPARE(swipe->swipeAngle(), 0.0);

    QMouseEvent up = mouse(QEvent::MouseButtonRelease, release);
    QCOMPARE(int(recognizer.recognize(gesture, &target, &up)), result);
    if (result == QGestureRecognizer::FinishGesture) {
        QVERIFY2(qAbs(swipe->swipeAngle() - angle) < 0.001, qPrintable(QString::number(swipe->swipeAngle())));
        QCOMPARE(int(swipe->horizontalDirection()), direction);
    }
}

void SwipeGestureRecognizerTest::otherEventsAreIgnored()
{
    SwipeGestureRecognizer recognizer;
    QObject target;
    std::unique_ptr<QGesture> gesture(recognizer.create(nullptr));
    QMouseEvent move = mouse(QEvent::MouseMove, QPointF(1, 1));
    QCOMPARE(int(recognizer.recognize(gesture.get(), &target, &move)), int(QGestureRecognizer::Ignore));
    QEvent other(QEvent::KeyPress);
    QCOMPARE(int(recognizer.recognize(gesture.get(), &target, &other)), int(QGestureRecognizer::Ignore));
    QCOMPARE(int(recognizer.recognize(gesture.get(), &target, nullptr)), int(QGestureRecognizer::Ignore));

    // A gesture that is not a swipe is not triggered by a press.
    QPinchGesture pinch;
    QMouseEvent press = mouse(QEvent::MouseButtonPress, QPointF(1, 1));
    QCOMPARE(int(recognizer.recognize(&pinch, &target, &press)), int(QGestureRecognizer::Ignore));
}

QTEST_MAIN(SwipeGestureRecognizerTest)
#include "tst_swipegesturerecognizer.moc"
