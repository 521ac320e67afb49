// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "EventLog.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace
{

QString* sinkText = nullptr;

QByteArray json(const QVariant& value)
{
    const QByteArray array
        = QJsonDocument(QJsonArray { QJsonValue::fromVariant(value) }).toJson(QJsonDocument::Compact);
    return array.mid(1).chopped(1);
}

} // namespace

void EventLog::write(const QString& event, const QVariantMap& fields)
{
    // The event first, then the fields by name: easy to read and to grep.
    QByteArray line = "{\"event\":" + json(event);
    for (auto field = fields.cbegin(); field != fields.cend(); ++field)
        line += "," + json(field.key()) + ":" + json(field.value());
    line += "}";
    if (sinkText) {
        sinkText->append(QString::fromUtf8(line) + QLatin1Char('\n'));
        return;
    }
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void EventLog::setSink(QString* sink)
{
    sinkText = sink;
}
