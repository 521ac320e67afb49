// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "PinPrompt.h"

#include "Dialog.h"

#include <QEventLoop>

QString PinPrompt::ask(bool currentPinMode)
{
    for (;;) {
        Dialog dialog(currentPinMode);
        // A loop of our own rather than QDialog::exec(): the dialog stays non-modal, and OK,
        // Escape and the window's close button all end the round the same way.
        QEventLoop loop;
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        dialog.show();
        dialog.activateWindow();
        loop.exec();
        if (dialog.validateWithMessages())
            return dialog.pin();
    }
}
