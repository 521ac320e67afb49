// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The yardstick bench_startup holds a login screen host against: a plain Qt Widgets program
// that loads a 100-widget Designer form with QUiLoader, as a theme loads its forms, and shows
// it full screen until it is killed. An optional argument names another form to load.
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QUiLoader>
#include <QWidget>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString path = arguments.size() > 1 ? arguments.at(1) : QStringLiteral(BARE_FORM_UI);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bare_form: can't read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    // Constructed here, not earlier, so its plug-in scan counts as part of loading the form.
    QUiLoader loader;
    const std::unique_ptr<QWidget> form(loader.load(&file));
    if (!form) {
        std::fprintf(stderr, "bare_form: can't load %s: %s\n", qPrintable(path), qPrintable(loader.errorString()));
        return 1;
    }
    // Like a login screen, it covers the screen itself: without a window manager, as under Xvfb,
    // nobody acts on the full-screen state.
    form->setGeometry(QGuiApplication::primaryScreen()->geometry());
    form->showFullScreen();
    return app.exec();
}
