#include "linereader.h"

#include <utility>

namespace brisquel {

namespace {
constexpr QChar kCr = QLatin1Char('\r');
constexpr QChar kLf = QLatin1Char('\n');
constexpr QChar kComma = QLatin1Char(',');
constexpr QChar kQuote = QLatin1Char('"');
} // namespace

LineReader::LineReader(QString text)
    : m_text(std::move(text))
    , m_lineEnd(m_text.contains(kCr) ? kCr : kLf)
{
}

bool LineReader::atEnd() const
{
    return m_pos >= m_text.size();
}

void LineReader::skipLineEnd()
{
    if (m_pos < m_text.size() && m_text.at(m_pos) == m_lineEnd) {
        ++m_pos;
        if (m_lineEnd == kCr && m_pos < m_text.size() && m_text.at(m_pos) == kLf)
            ++m_pos;
    }
}

std::optional<QString> LineReader::readLine()
{
    if (atEnd())
        return std::nullopt;
    qsizetype end = m_text.indexOf(m_lineEnd, m_pos);
    if (end < 0)
        end = m_text.size();
    QString line = m_text.mid(m_pos, end - m_pos);
    m_pos = end;
    skipLineEnd();
    return line;
}

std::optional<QString> LineReader::readField()
{
    if (atEnd())
        return std::nullopt;
    const qsizetype size = m_text.size();
    while (m_pos < size && (m_text.at(m_pos) == QLatin1Char(' ') || m_text.at(m_pos) == QLatin1Char('\t')))
        ++m_pos;

    QString field;
    if (m_pos < size && m_text.at(m_pos) == kQuote) {
        ++m_pos;
        const qsizetype start = m_pos;
        while (m_pos < size && m_text.at(m_pos) != kQuote && m_text.at(m_pos) != m_lineEnd)
            ++m_pos;
        field = m_text.mid(start, m_pos - start);
        if (m_pos < size && m_text.at(m_pos) == kQuote)
            ++m_pos;
        while (m_pos < size && m_text.at(m_pos) != kComma && m_text.at(m_pos) != m_lineEnd)
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < size && m_text.at(m_pos) != kComma && m_text.at(m_pos) != m_lineEnd)
            ++m_pos;
        field = m_text.mid(start, m_pos - start);
    }

    if (m_pos < size && m_text.at(m_pos) == kComma)
        ++m_pos;
    else
        skipLineEnd();
    return field;
}

} // namespace brisquel
