#include "cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>

namespace brisquel {

namespace {

constexpr const char *kCodecName = "windows-1252";

// Without ICU Qt has no Windows-1252; Latin-1 still gives every byte back
// unchanged, only the letters of 0x80 to 0x9F show up wrong.
QStringDecoder makeDecoder()
{
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
    return decoder;
}

QStringEncoder makeEncoder()
{
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return QStringEncoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
    return encoder;
}

// The characters the code page holds, sorted, so an encoder never has to
// guess: anything else becomes "?".
using Repertoire = std::array<char16_t, 256>;

Repertoire buildRepertoire()
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString decoded = makeDecoder().decode(all);
    Repertoire chars{};
    for (int i = 0; i < 256 && i < decoded.size(); ++i)
        chars[size_t(i)] = decoded.at(i).unicode();
    std::sort(chars.begin(), chars.end());
    return chars;
}

bool representable(char16_t c)
{
    static const Repertoire chars = buildRepertoire();
    return std::binary_search(chars.begin(), chars.end(), c);
}

} // namespace

bool fitsCp1252(QChar c)
{
    return !c.isSurrogate() && representable(c.unicode());
}

QString decodeCp1252(QByteArrayView bytes)
{
    return makeDecoder().decode(bytes);
}

QByteArray encodeCp1252(QStringView text)
{
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            safe.append(QLatin1Char('?')); // one character outside the code page
            ++i;
        } else if (c.isSurrogate() || !representable(c.unicode())) {
            safe.append(QLatin1Char('?'));
        } else {
            safe.append(c);
        }
    }
    return makeEncoder().encode(safe);
}

} // namespace brisquel
