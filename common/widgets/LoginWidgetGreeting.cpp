// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later

// The login widget's greeting line and host choice.
#include "LoginWidget.h"

#include <QComboBox>
#include <QLabel>

#include <sys/utsname.h>

void LoginWidget::setGreetString(const QString& greetString)
{
    m_greetString = greetString.isEmpty() ? tr("Welcome to ") + QStringLiteral("%h") : greetString;
}

void LoginWidget::setHostname(const QString& host)
{
    if (!host.isEmpty())
        m_hostnameLabel->setText(fillGreetString(host));
}

QString LoginWidget::fillGreetString(const QString& host) const
{
    QString result;
    const QString& greet = m_greetString;
    for (int i = 0; i < greet.size(); ++i) {
        const QChar c = greet.at(i);
        if (c != QLatin1Char('%')) {
            result += c;
            continue;
        }
        const QChar code = i + 1 < greet.size() ? greet.at(i + 1) : QChar();
        ++i;
        struct utsname system = {};
        const auto field = [](const char* value) { return QString::fromLocal8Bit(value); };
        switch (code.unicode()) {
        case '%':
            result += QLatin1Char('%');
            break;
        case 'd':
            result += QString::fromLocal8Bit(qgetenv("DISPLAY"));
            break;
        case 'h':
            result += host;
            break;
        case 'm':
        case 'n':
        case 'r':
        case 's':
            uname(&system);
            if (code == QLatin1Char('m'))
                result += field(system.machine);
            else if (code == QLatin1Char('n'))
                result += field(system.nodename).section(QLatin1Char('.'), 0, 0);
            else if (code == QLatin1Char('r'))
                result += field(system.release);
            else
                result += field(system.sysname);
            break;
        default:
            result += QObject::tr("[fix nimb-dmrc]",
                "an undefined %X placeholder wrongly given in the config file 'nimb-dmrc', "
                "telling the user to fix it");
            break;
        }
    }
    return result;
}

void LoginWidget::updateHostsList(const QStringList& hosts)
{
    m_hostsComboBox->setVisible(!hosts.isEmpty());
    if (hosts.isEmpty())
        return;
    const QString remembered = m_hostsComboBox->currentText();
    QStringList current;
    for (int i = 0; i < m_hostsComboBox->count(); ++i)
        current << m_hostsComboBox->itemText(i);
    if (current == hosts)
        return;
    m_hostsComboBox->clear();
    m_hostsComboBox->addItems(hosts);
    const int index = hosts.indexOf(remembered);
    m_hostsComboBox->setCurrentIndex(index >= 0 ? index : 0);
}

QString LoginWidget::currentHostname() const
{
    return m_hostsComboBox->currentText();
}

void LoginWidget::setCurrentHostname(const QString& host)
{
    const int index = m_hostsComboBox->findText(host, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_hostsComboBox->setCurrentIndex(index);
    else
        m_hostsComboBox->setCurrentText(host);
}
