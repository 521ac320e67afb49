// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "AuthData.h"
#include "Exceptions.h"
#include "GreeterHost.h"
#include "GreeterManagers.h"
#include "HostBackend.h"
#include "LocalAuthManager.h"
#include "StderrCapture.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace
{

class SilentBackend : public HostBackend
{
public:
    void stop() override { }
};

GreeterHost::BackendFactory silent()
{
    return [](GreeterManagers*) -> std::unique_ptr<HostBackend> { return std::make_unique<SilentBackend>(); };
}

HostConfig unusableThemes(bool builtInFallback)
{
    HostConfig config;
    config.themeDir = QStringLiteral("/nonexistent/theme");
    config.plugin = QStringLiteral("standard-theme");
    config.fallbackThemes << qMakePair(QStringLiteral("/nonexistent/default"), QStringLiteral("standard-theme"));
    config.builtInFallback = builtInFallback;
    config.geometry = QSize(800, 600);
    return config;
}

QLineEdit* field(QWidget* window, const QString& name)
{
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (edit->accessibleName() == name)
            return edit;
    }
    return nullptr;
}

/// Answers the next input dialog that opens with @p text.
void answerNextDialog(const QString& text)
{
    QTimer::singleShot(100, [text] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setTextValue(text);
        dialog->accept();
    });
}

} // namespace

class GreeterHostTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void withoutFallbackTheFailureIsThrown();
    void builtInFormLogsIn();
};

void GreeterHostTest::withoutFallbackTheFailureIsThrown()
{
    StderrCapture errors;
    GreeterHost host(unusableThemes(false));
    QVERIFY_EXCEPTION_THROWN(host.start(HostSetup(), silent()), DetailsException);
    // Each theme tried says why it was given up.
    QVERIFY(errors.text().contains("/nonexistent/theme cannot be shown"));
    QVERIFY(errors.text().contains("/nonexistent/default cannot be shown"));
}

void GreeterHostTest::builtInFormLogsIn()
{
    StderrCapture errors;
    GreeterHost host(unusableThemes(true));
    host.start(HostSetup(), silent());
    QVERIFY(!host.widget());
    QWidget* window = host.window();
    QVERIFY(window && window->isVisible());
    QVERIFY(errors.text().contains("showing the built-in login form"));

    auto* auth = dynamic_cast<LocalAuthManager*>(host.managers()->get(LocalAuthManager::ID));
    QSignalSpy logins(auth, &LocalAuthManager::loginRequest);
    QLineEdit* user = field(window, QStringLiteral("User name"));
    QLineEdit* password = field(window, QStringLiteral("Password"));
    QVERIFY(user && password);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QTest::keyClicks(user, QStringLiteral("kim"));
    QTest::keyClicks(password, QStringLiteral("Old-Pass1"));
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(logins.count(), 1);
    QCOMPARE(
        logins.first().first().value<AuthData>(), (AuthData { QStringLiteral("kim"), QStringLiteral("Old-Pass1") }));
    QVERIFY(!password->isEnabled());

    // An expired password: the new one twice, with the one just typed as the old one.
    QSignalSpy changes(auth, &LocalAuthManager::newPasswordInsertionCompleted);
    answerNextDialog(QStringLiteral("Fresh-Pass2"));
    QTimer::singleShot(400, [] { answerNextDialog(QStringLiteral("Fresh-Pass2")); });
    emit auth->passwordChangeRequested(false);
    QVERIFY(changes.wait(5000));
    QCOMPARE(changes.first(),
        (QVariantList { QStringLiteral("kim"), QStringLiteral("Old-Pass1"), QStringLiteral("Fresh-Pass2"),
            QStringLiteral("Fresh-Pass2") }));

    // A failure gives the form back, without the password, saying what happened.
    emit auth->loginFailed();
    QVERIFY(password->isEnabled());
    QVERIFY(password->text().isEmpty());
    bool told = false;
    for (const QLabel* label : window->findChildren<QLabel*>())
        told = told
            || (label->accessibleName() == QLatin1String("Message")
                && label->text().startsWith(QLatin1String("Login failed")));
    QVERIFY(told);
}

QTEST_MAIN(GreeterHostTest)
#include "tst_greeterhost.moc"
