#pragma once

#include <QByteArrayView>
#include <QString>

namespace brisquel::receiver {

// Limits of what a sender may send, as old receivers had them.
inline constexpr qsizetype kMaxNameBytes = 15;
inline constexpr qsizetype kMaxTextBytes = 1600;

// Turns the bytes senders send into text, in the configured character set
// (code page 850 unless told otherwise).
class TextDecoder
{
public:
    // `charset` is "CP850" or a name Qt's decoders know.
    explicit TextDecoder(const QString &charset);

    QString decode(QByteArrayView bytes) const;

private:
    QByteArray m_charset; // empty: code page 850
};

// Text as a desktop may show it: byte 0x14, the old receivers' line break,
// becomes one; every other control character but CR, LF and TAB goes.
QString cleanMessageText(const QString &text);

} // namespace brisquel::receiver
