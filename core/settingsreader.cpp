#include "settingsreader.h"

#include "cp1252.h"
#include "linereader.h"
#include "numbertext.h"
#include "settingssections.h"

#include <optional>

namespace brisquel {

namespace {

const QString kOne = QStringLiteral("1");

QString withoutTrailingBlanks(const QString &line)
{
    qsizetype end = line.size();
    while (end > 0 && (line.at(end - 1) == QLatin1Char(' ') || line.at(end - 1) == QLatin1Char('\t')))
        --end;
    return line.left(end);
}

class SectionReader {
public:
    SectionReader(LineReader &in, EntryReading reading, AppState &state, TextBoxLook &look,
                  QStringList &captions)
        : m_in(in), m_reading(reading), m_state(state), m_look(look), m_captions(captions)
    {
    }

    SectionReadResult run()
    {
        SectionReadResult result;
        while (!m_in.atEnd()) {
            const QString line = withoutTrailingBlanks(m_in.readLine().value_or(QString()));
            bool ok = true;
            if (line == kGeneralSection)
                ok = result.general = readGeneral(result);
            else if (line == kUsersSection)
                ok = result.users = readList(m_state.users, true);
            else if (line == kGroupsSection)
                ok = result.groups = readList(m_state.groups, false);
            if (!ok)
                return result;
        }
        result.ok = true;
        return result;
    }

private:
    std::optional<QString> entry()
    {
        std::optional<QString> value =
            m_reading == EntryReading::DelimitedFields ? m_in.readField() : m_in.readLine();
        if (value)
            value->replace(QChar(0), QLatin1Char(' '));
        return value;
    }

    static bool flag(const QString &line) { return line == kOne; }

    std::optional<qint32> color(const QString &line)
    {
        const std::optional<qint32> value = roundToLong(readNumber(line));
        if (!value || !acceptsColor(*value))
            return std::nullopt;
        return value;
    }

    bool readGeneral(SectionReadResult &result)
    {
        const std::optional<QString> sender = entry();
        if (!sender)
            return false;
        m_state.senderName = *sender;

        // Who saved last: the login always comes from the system.
        const std::optional<QString> savedBy = entry();
        if (!savedBy)
            return false;
        result.savedBy = *savedBy;

        const std::optional<QString> own = entry();
        if (!own)
            return false;
        // Read back as a number in the file of defaults, so "1" counts as 1.
        result.ownName = flag(*own) ||
                  (m_reading == EntryReading::DelimitedFields && readNumber(*own) == 1.0);

        const std::optional<QString> name = m_in.readLine();
        if (!name || !acceptsFontName(*name))
            return false;
        m_look.fontName = *name;

        const std::optional<QString> bold = m_in.readLine();
        if (!bold)
            return false;
        m_look.bold = flag(*bold);

        const std::optional<QString> italic = m_in.readLine();
        if (!italic)
            return false;
        m_look.italic = flag(*italic);

        const std::optional<QString> sizeLine = m_in.readLine();
        if (!sizeLine)
            return false;
        const float size = static_cast<float>(readNumber(*sizeLine));
        if (!acceptsFontSize(size))
            return false;
        m_look.size = size;

        const std::optional<QString> strike = m_in.readLine();
        if (!strike)
            return false;
        m_look.strikethrough = flag(*strike);

        const std::optional<QString> underline = m_in.readLine();
        if (!underline)
            return false;
        m_look.underline = flag(*underline);

        const std::optional<QString> foreLine = m_in.readLine();
        if (!foreLine)
            return false;
        const std::optional<qint32> fore = color(*foreLine);
        if (!fore)
            return false;
        m_look.foreColor = *fore;

        const std::optional<QString> backLine = m_in.readLine();
        if (!backLine)
            return false;
        const std::optional<qint32> back = color(*backLine);
        if (!back)
            return false;
        m_look.backColor = *back;
        return true;
    }

    // Twelve rows of two lines, whatever they hold: a header inside the range
    // is taken as an entry, and lines after the range are skipped by the
    // caller unless they are a header.
    bool readList(RecipientList &list, bool userList)
    {
        for (RecipientSlot &slot : list) {
            const std::optional<QString> caption = entry();
            if (!caption)
                return false;
            slot.caption = *caption;
            const std::optional<QString> recipients = entry();
            if (!recipients)
                return false;
            slot.recipients = *recipients;
            if (userList)
                m_captions.append(slot.caption);
        }
        return true;
    }

    LineReader &m_in;
    EntryReading m_reading;
    AppState &m_state;
    TextBoxLook &m_look;
    QStringList &m_captions;
};

} // namespace

QStringList SectionReadResult::missingSections() const
{
    QStringList missing;
    if (!general)
        missing << kGeneralSection;
    if (!users)
        missing << kUsersSection;
    if (!groups)
        missing << kGroupsSection;
    return missing;
}

TextEncoding encodingOf(const QByteArray &bytes)
{
    return bytes.startsWith(kUtf8Mark) ? TextEncoding::Utf8WithMark : TextEncoding::Windows1252;
}

QString settingsText(const QByteArray &bytes)
{
    if (encodingOf(bytes) == TextEncoding::Utf8WithMark)
        return QString::fromUtf8(QByteArrayView(bytes).sliced(kUtf8Mark.size()));
    return decodeCp1252(bytes);
}

SectionReadResult readSettingsSections(LineReader &in, EntryReading reading, AppState &state,
                                       TextBoxLook &look, QStringList &quickListCaptions)
{
    return SectionReader(in, reading, state, look, quickListCaptions).run();
}

} // namespace brisquel
