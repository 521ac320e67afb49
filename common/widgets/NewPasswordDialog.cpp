// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "NewPasswordDialog.h"

#include "Accessibility.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPropertyAnimation>
#include <QTimer>

namespace
{

QLineEdit* passwordField(QWidget* parent, const QString& placeholder)
{
    auto* field = new QLineEdit(parent);
    field->setEchoMode(QLineEdit::Password);
    field->setPlaceholderText(placeholder);
    // Qt's own placeholder grey reaches only 4:1 on the white field; this one is readable.
    QPalette palette = field->palette();
    palette.setColor(QPalette::PlaceholderText, QColor(0x59, 0x59, 0x59));
    field->setPalette(palette);
    // The placeholder goes once something is typed; the name stays.
    field->setAccessibleName(placeholder);
    return field;
}

} // namespace

NewPasswordDialog::NewPasswordDialog(QWidget* parent, bool askOldPassword)
    : QDialog(parent, Qt::FramelessWindowHint)
    , m_askOldPassword(askOldPassword)
{
    auto* layout = new QFormLayout(this);
    m_messageLabel = new QLabel(this);
    Accessibility::markAsAlert(m_messageLabel);
    layout->addRow(m_messageLabel);
    // Frameless, it has no title bar: this is the name a screen reader gives the window.
    setWindowTitle(tr("New password"));
    showNormalMessage();

    // Every text stands out from what is behind it by 4.5:1 at least: white on this grey 8.5:1,
    // on the buttons' blue 5.8:1, an error's light red 4.7:1. With a border of their own the
    // buttons are drawn in exactly that blue; with a colour alone the platform style would
    // shade it lighter. A usable button shows the focus by a white frame; a disabled one is
    // grey.
    setStyleSheet(QStringLiteral(
        "QComboBox { font-size: 13px; background-color: #FFFFFF; border-radius: 2px; color: #000000; padding-left: "
        "15px; } QPushButton { background-color: #2D6A99; font-weight: bold; font-size: 13px; color: #FFFFFF; "
        "border: 1px solid #2D6A99; border-radius: 3px; padding: 3px 10px; min-width: 60px; } "
        "QPushButton:focus { border-color: #FFFFFF; } QPushButton:pressed { background-color: #24557A; } "
        "QPushButton:disabled { background-color: #555F68; border-color: #555F68; color: #DDDDDD; } "
        "QDialog { background-color: #4D4D4D; border-radius: 4px; }"));

    if (m_askOldPassword) {
        m_oldPasswordLineEdit = passwordField(this, tr("Old password"));
        layout->addRow(m_oldPasswordLineEdit);
    }
    m_newPasswordLineEdit = passwordField(this, tr("New password"));
    layout->addRow(m_newPasswordLineEdit);
    m_confirmPasswordLineEdit = passwordField(this, tr("Confirm new password"));
    layout->addRow(m_confirmPasswordLineEdit);
    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    layout->addRow(m_buttonBox);
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &NewPasswordDialog::accept);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &NewPasswordDialog::reject);

    if (m_askOldPassword)
        m_oldPasswordLineEdit->setFocus();
    else
        m_newPasswordLineEdit->setFocus();
}

NewPasswordDialog::~NewPasswordDialog() = default;

void NewPasswordDialog::setErrorTimings(int pauseMsec, int fadeMsec)
{
    m_errorPauseMsec = pauseMsec;
    m_fadeMsec = fadeMsec;
}

void NewPasswordDialog::accept()
{
    if (m_askOldPassword && m_oldPasswordLineEdit->text().isEmpty()) {
        m_oldPasswordLineEdit->setFocus();
        return;
    }
    if (m_newPasswordLineEdit->text().isEmpty()) {
        m_newPasswordLineEdit->setFocus();
        return;
    }
    if (m_confirmPasswordLineEdit->text().isEmpty()) {
        m_confirmPasswordLineEdit->setFocus();
        return;
    }
    if (m_askOldPassword && m_newPasswordLineEdit->text() == m_oldPasswordLineEdit->text()) {
        m_newPasswordLineEdit->setFocus();
        return;
    }
    if (m_confirmPasswordLineEdit->text() == m_newPasswordLineEdit->text()) {
        setEnabled(false);
        emit insertionCompleted(m_askOldPassword ? m_oldPasswordLineEdit->text() : QString(),
            m_newPasswordLineEdit->text(), m_confirmPasswordLineEdit->text());
        return;
    }
    showErrorMessage(tr("New passwords not match"), false);
    m_confirmPasswordLineEdit->setFocus();
}

void NewPasswordDialog::acceptDialog()
{
    QDialog::accept();
}

void NewPasswordDialog::showErrorMessage(const QString& message, bool isPasswordChangeError)
{
    if (isPasswordChangeError)
        ++m_errorCount;
    setEnabled(true);
    m_buttonBox->setEnabled(false);
    m_messageLabel->setText(m_errorCount < 3 ? message : tr("\nThe application will be restarted."));
    // A light red: plain red on the dialog's grey would hardly stand out from it.
    m_messageLabel->setStyleSheet(QStringLiteral("QLabel { color : #FFAAAA; }"));
    Accessibility::announce(m_messageLabel);
    QTimer::singleShot(m_errorPauseMsec, Qt::CoarseTimer, this, &NewPasswordDialog::handleErrorMessage);

    m_newPasswordLineEdit->clear();
    m_confirmPasswordLineEdit->clear();
    if (m_askOldPassword) {
        m_oldPasswordLineEdit->clear();
        m_oldPasswordLineEdit->setFocus();
    } else {
        m_newPasswordLineEdit->setFocus();
    }
}

void NewPasswordDialog::handleErrorMessage()
{
    auto* effect = new QGraphicsOpacityEffect(this);
    m_messageLabel->setGraphicsEffect(effect);
    auto* animation = new QPropertyAnimation(effect, "opacity", this);
    animation->setDuration(m_fadeMsec);
    animation->setStartValue(1.0);
    animation->setEndValue(0.0);
    // When a later fade replaces this effect, the label deletes it and Qt stops this
    // animation without finishing it: only the fade that owns the label's effect ends here.
    connect(animation, &QPropertyAnimation::finished, this, [this, animation, effect] {
        showNormalMessage();
        enableButtonBox();
        effect->deleteLater();
        animation->deleteLater();
    });
    animation->start();
}

void NewPasswordDialog::showNormalMessage()
{
    m_messageLabel->setText(tr("Your password is expired. Please set new one."));
    m_messageLabel->setStyleSheet(QStringLiteral("QLabel { color : #FFFFFF; }"));
}

void NewPasswordDialog::enableButtonBox()
{
    m_buttonBox->setEnabled(true);
}
