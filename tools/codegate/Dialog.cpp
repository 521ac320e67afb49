// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "Dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSpacerItem>

namespace
{

// The longest PIN a field takes; further digits are refused as they are typed.
constexpr int MaximumPinLength = 16;

void addLabel(QGridLayout* layout, const char* objectName, const QString& text, int row)
{
    auto* label = new QLabel(text, layout->parentWidget());
    label->setObjectName(QLatin1String(objectName));
    layout->addWidget(label, row, 0);
}

void hideRow(QGridLayout* layout, int row)
{
    for (int column = 0; column < layout->columnCount(); ++column) {
        if (QLayoutItem* item = layout->itemAtPosition(row, column); item && item->widget())
            item->widget()->hide();
    }
}

QLineEdit* addPinField(QGridLayout* layout, const char* objectName, int row, int horizontalStretch)
{
    auto* field = new QLineEdit(layout->parentWidget());
    field->setObjectName(QLatin1String(objectName));
    field->setEchoMode(QLineEdit::Password);
    field->setMaxLength(MaximumPinLength);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHorizontalStretch(horizontalStretch);
    field->setSizePolicy(policy);
    layout->addWidget(field, row, 1);
    return field;
}

void acceptDigitsOnly(QLineEdit* field)
{
    // Owned by the dialog, one per visible field.
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field->window()));
}

} // namespace

Dialog::Dialog(bool currentPinMode, QWidget* parent)
    : QDialog(parent)
    , m_currentPinMode(currentPinMode)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(tr("Enter your PIN"));

    auto* layout = new QGridLayout(this);
    layout->setObjectName(QStringLiteral("gridLayout"));

    addLabel(layout, "currentPINLabel", tr("Current PIN:"), 0);
    m_currentPinLineEdit = addPinField(layout, "currentPINLineEdit", 0, 0);
    addLabel(layout, "typeNewPINLabel", tr("Type new PIN:"), 1);
    m_typeNewPinLineEdit = addPinField(layout, "typeNewPINLineEdit", 1, 5);
    addLabel(layout, "retypeNewPINLabel", tr("Retype new PIN:"), 2);
    m_retypeNewPinLineEdit = addPinField(layout, "retypeNewPINLineEdit", 2, 5);

    layout->addItem(new QSpacerItem(218, 79, QSizePolicy::Minimum, QSizePolicy::Expanding), 3, 0, 1, 2);

    auto* buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttonBox, 4, 1);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (m_currentPinMode) {
        hideRow(layout, 1);
        hideRow(layout, 2);
        m_currentPinLineEdit->setFocus();
        acceptDigitsOnly(m_currentPinLineEdit);
    } else {
        hideRow(layout, 0);
        m_typeNewPinLineEdit->setFocus();
        acceptDigitsOnly(m_typeNewPinLineEdit);
        acceptDigitsOnly(m_retypeNewPinLineEdit);
    }

    // Hidden rows take no room once the layout is recomputed; the dialog then shrinks to
    // the smallest size the remaining rows allow.
    layout->activate();
    resize(10, 10);
}

QString Dialog::pin() const
{
    return m_currentPinMode ? m_currentPinLineEdit->text() : m_typeNewPinLineEdit->text();
}

QString Dialog::problem() const
{
    if (pin().isEmpty())
        return tr("PIN is empty!");
    if (!m_currentPinMode && m_retypeNewPinLineEdit->text() != m_typeNewPinLineEdit->text())
        return tr("PINs are different!");
    return QString();
}

bool Dialog::validateWithMessages()
{
    const QString message = problem();
    if (message.isEmpty())
        return true;
    QMessageBox::critical(this, tr("Attention!"), message, QMessageBox::Ok);
    return false;
}
