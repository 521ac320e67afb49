// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "AutoLoginDialog.h"

#include "Accessibility.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AutoLoginDialog::AutoLoginDialog(const QString& userName, int seconds, QWidget* parent)
    : QDialog(parent)
    , m_userName(userName)
    // The host treats a negative delay as enabled; it means no wait, never a negative count.
    , m_seconds(qMax(0, seconds))
    , m_timer(this)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("AutoLoginDialog"));
    resize(475, 68);

    m_verticalLayout = new QVBoxLayout(this);
    m_verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("label"));
    Accessibility::markAsAlert(m_label);
    m_verticalLayout->addWidget(m_label);
    m_buttonBox = new QDialogButtonBox(this);
    m_buttonBox->setObjectName(QStringLiteral("buttonBox"));
    m_buttonBox->setOrientation(Qt::Horizontal);
    m_buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_verticalLayout->addWidget(m_buttonBox);
    setWindowTitle(tr("Auto login"));

    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_buttonBox->button(QDialogButtonBox::Cancel)->setFocus();

    m_timer.setInterval(1000);
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &AutoLoginDialog::onTimerTimeout);
}

AutoLoginDialog::~AutoLoginDialog() = default;

int AutoLoginDialog::exec()
{
    updateLabel();
    // Spoken once as the dialog opens: the name stays the first text, so the countdown's
    // ticks do not make a screen reader start over every second.
    m_label->setAccessibleName(m_label->text());
    setAccessibleDescription(m_label->text());
    QTimer::singleShot(0, m_label, [this] { Accessibility::announce(m_label); });
    m_timer.start();
    const int result = QDialog::exec();
    // A tick after the dialog ended would accept it once more, and after a Cancel.
    m_timer.stop();
    return result;
}

void AutoLoginDialog::onTimerTimeout()
{
    m_seconds = qMax(0, m_seconds - 1);
    updateLabel();
    if (m_seconds == 0)
        accept();
}

void AutoLoginDialog::updateLabel()
{
    m_label->setText(
        tr("The user %1 will be automatically logged in after %2 seconds").arg(m_userName, QString::number(m_seconds)));
}
