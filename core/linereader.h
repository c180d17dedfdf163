#pragma once

#include <QString>

#include <optional>

namespace brisquel {

// Walks through the text of a settings file line by line. A line ends at a
// carriage return; a CR LF pair ends it too and both are consumed, while a
// line feed on its own stays inside the line. A text without any carriage
// return (as every Linux editor saves it) has its lines end at line feeds
// instead. Reading past the end gives nothing, which the caller treats as a
// file cut short.
class LineReader {
public:
    explicit LineReader(QString text);

    bool atEnd() const;

    // The whole line, or what is left of it after readField() stopped at a
    // comma.
    std::optional<QString> readLine();

    // A comma-delimited field: leading blanks and tabs are skipped, the field
    // ends at a comma or at the end of the line, and a field in double quotes
    // loses its quotes (anything between the closing quote and the next comma
    // or line end is dropped). After a comma the next read goes on from there.
    std::optional<QString> readField();

private:
    void skipLineEnd();

    QString m_text;
    QChar m_lineEnd;
    qsizetype m_pos = 0;
};

} // namespace brisquel
