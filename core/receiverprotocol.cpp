#include "receiverprotocol.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>

namespace brisquel {

namespace {

// The address goes on a `net send` command line as the recipient: only an
// IPv4 or IPv6 address in its usual spelling passes.
bool looksLikeIpAddress(const QString &address)
{
    if (address.isEmpty() || address.size() > 45)
        return false;
    return std::all_of(address.begin(), address.end(), [](QChar c) {
        return c.isDigit() || c == u'.' || c == u':' || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

} // namespace

std::optional<ReceivedMessage> parseReceivedMessageLine(QByteArrayView line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue id = object.value(QLatin1String("id"));
    const QJsonValue text = object.value(QLatin1String("text"));
    // Ids are integers well inside a double's exact range.
    if (!id.isDouble() || id.toDouble() < 1 || id.toDouble() > 9007199254740991.0
        || id.toDouble() != double(qint64(id.toDouble())) || !text.isString())
        return std::nullopt;

    ReceivedMessage message;
    message.id = qint64(id.toDouble());
    message.from = object.value(QLatin1String("from")).toString();
    message.to = object.value(QLatin1String("to")).toString();
    const QString address = object.value(QLatin1String("address")).toString();
    if (looksLikeIpAddress(address))
        message.address = address;
    message.received =
        QDateTime::fromString(object.value(QLatin1String("received")).toString(), Qt::ISODate).toUTC();
    message.text = text.toString();
    return message;
}

QByteArray acknowledgementLine(qint64 id)
{
    return "{\"ack\": " + QByteArray::number(id) + "}\n";
}

} // namespace brisquel
