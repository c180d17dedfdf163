#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace brisquel {

namespace {

QString signedText(bool negative, const QString &magnitude)
{
    return (negative ? QLatin1Char('-') : QLatin1Char(' ')) + magnitude;
}

QString floatingText(double value, int digits)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral(" 0"); // also turns -0 into plain zero
    // QString::number always uses the C locale, so "." whatever the user's.
    return signedText(value < 0, QString::number(std::fabs(value), 'g', digits));
}

bool isSkipped(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

QString numberText(double value) { return floatingText(value, 15); }

QString numberText(float value) { return floatingText(double(value), 7); }

QString numberText(qint32 value)
{
    // Through qint64 so that the lowest value has a magnitude too.
    const qint64 wide = value;
    return signedText(wide < 0, QString::number(wide < 0 ? -wide : wide));
}

double readNumber(QStringView text)
{
    // Skipped characters may stand anywhere, even between digits, so drop them
    // first; anything outside ASCII ends the number anyway.
    std::string s;
    s.reserve(size_t(text.size()));
    for (QChar c : text) {
        if (isSkipped(c))
            continue;
        s.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x01');
    }

    size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        negative = s[pos] == '-';
        ++pos;
    }
    const size_t start = pos;
    size_t intDigits = 0;
    size_t fracDigits = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        ++pos;
        ++intDigits;
    }
    if (pos < s.size() && s[pos] == '.') {
        size_t p = pos + 1;
        while (p < s.size() && isDigit(s[p])) {
            ++p;
            ++fracDigits;
        }
        if (intDigits + fracDigits > 0)
            pos = p;
    }
    if (intDigits + fracDigits == 0)
        return 0;
    const size_t mantissaEnd = pos;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        size_t p = pos + 1;
        if (p < s.size() && (s[p] == '+' || s[p] == '-'))
            ++p;
        const size_t expDigitsStart = p;
        while (p < s.size() && isDigit(s[p]))
            ++p;
        if (p > expDigitsStart)
            pos = p;
    }

    double magnitude = 0;
    const char *first = s.data() + start;
    const char *last = s.data() + pos;
    const auto [ptr, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: tell which by the position of
        // the first significant digit, shifted by the exponent.
        long long scale = 0;
        size_t i = start;
        while (i < mantissaEnd && (s[i] == '0' || s[i] == '.'))
            ++i;
        const size_t point = start + intDigits;
        scale = i < point ? static_cast<long long>(point - i) : -static_cast<long long>(i - point);
        if (mantissaEnd < pos) {
            size_t e = mantissaEnd + 1;
            const bool expNegative = s[e] == '-';
            if (s[e] == '+' || s[e] == '-')
                ++e;
            long long exponent = 0;
            for (; e < pos && exponent < 1'000'000'000; ++e)
                exponent = exponent * 10 + (s[e] - '0');
            scale += expNegative ? -exponent : exponent;
        }
        magnitude = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc() || ptr != last) {
        magnitude = 0; // cannot happen for the text checked above
    }
    return negative ? -magnitude : magnitude;
}

std::optional<qint32> roundToLong(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<qint32>::min()) ||
        rounded > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

} // namespace brisquel
