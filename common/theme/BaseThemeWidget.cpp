// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "BaseThemeWidget.h"

BaseThemeWidget::BaseThemeWidget(QWidget* parent)
    : QWidget(parent)
{
}

BaseThemeWidget::~BaseThemeWidget() = default;

void BaseThemeWidget::exec() { }

QPixmap BaseThemeWidget::backgroundPixmap() const
{
    return QPixmap();
}

void BaseThemeWidget::insertManagers(GreeterManagers* managers)
{
    this->managers = managers;
}
