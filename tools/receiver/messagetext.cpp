#include "messagetext.h"

#include "tools/messenger/cp850decode.h"

#include <QStringDecoder>

namespace brisquel::receiver {

TextDecoder::TextDecoder(const QString &charset)
{
    if (charset.compare(u"CP850", Qt::CaseInsensitive) != 0)
        m_charset = charset.toLatin1();
}

QString TextDecoder::decode(QByteArrayView bytes) const
{
    if (m_charset.isEmpty())
        return messenger::decodeCp850(bytes);
    QStringDecoder decoder(m_charset.constData());
    return decoder.decode(bytes);
}

QString cleanMessageText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == QChar(0x14))
            clean.append(u'\n');
        else if (c == u'\r' || c == u'\n' || c == u'\t' || c.category() != QChar::Other_Control)
            clean.append(c);
    }
    return clean;
}

} // namespace brisquel::receiver
