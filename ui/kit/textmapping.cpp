#include "textmapping.h"

#include <algorithm>

namespace brisquel::textmap {

namespace {

constexpr char16_t kControlPictures = u'\u2400';
constexpr char16_t kDeletePicture = u'\u2421';
constexpr char16_t kReplacement = u'\uFFFD';

bool isCrLfAt(QStringView text, qsizetype i)
{
    return text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n';
}

char16_t shownChar(char16_t c)
{
    if (c == u'\t')
        return c;
    if (c < 0x20)
        return char16_t(kControlPictures + c);
    if (c == 0x7F)
        return kDeletePicture;
    // Block and frame marks of a text document.
    if (c == u'\u2029' || c == u'\uFDD0' || c == u'\uFDD1' || c == u'\uFDEF')
        return kReplacement;
    return c;
}

char16_t textChar(char16_t c)
{
    if (c >= kControlPictures && c < kControlPictures + 0x20)
        return char16_t(c - kControlPictures);
    if (c == kDeletePicture)
        return 0x7F;
    return c;
}

} // namespace

QString toShown(QStringView text, bool multiLine)
{
    if (!multiLine)
        return text.toString();
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isCrLfAt(text, i)) {
            shown.append(QChar(kShownBreak));
            ++i;
        } else {
            shown.append(QChar(shownChar(text.at(i).unicode())));
        }
    }
    return shown;
}

QString fromShown(QStringView shown, bool multiLine)
{
    if (!multiLine)
        return shown.toString();
    QString text;
    text.reserve(shown.size() + 8);
    for (const QChar c : shown) {
        if (c.unicode() == kShownBreak)
            text.append(QStringLiteral("\r\n"));
        else
            text.append(QChar(textChar(c.unicode())));
    }
    return text;
}

int shownPosition(QStringView text, int textPos, bool multiLine)
{
    const int end = int(text.size());
    textPos = std::clamp(textPos, 0, end);
    if (!multiLine)
        return textPos;
    int shown = 0;
    for (qsizetype i = 0; i < textPos; ++i) {
        if (isCrLfAt(text, i)) {
            if (i + 1 == textPos)
                return shown; // between CR and LF: before the break
            ++i;
        }
        ++shown;
    }
    return shown;
}

int textPosition(QStringView text, int shownPos, bool multiLine)
{
    if (!multiLine)
        return std::clamp(shownPos, 0, int(text.size()));
    qsizetype i = 0;
    for (int shown = 0; shown < shownPos && i < text.size(); ++shown)
        i += isCrLfAt(text, i) ? 2 : 1;
    return int(i);
}

QString pastedText(const QString &clip, bool multiLine)
{
    if (!multiLine) {
        for (qsizetype i = 0; i < clip.size(); ++i) {
            if (clip.at(i) == u'\r' || clip.at(i) == u'\n')
                return clip.left(i);
        }
        return clip;
    }
    QString text;
    text.reserve(clip.size() + 8);
    for (qsizetype i = 0; i < clip.size(); ++i) {
        const QChar c = clip.at(i);
        if (c == u'\r' || c == u'\n') {
            text.append(QStringLiteral("\r\n"));
            if (isCrLfAt(clip, i))
                ++i;
        } else {
            text.append(c);
        }
    }
    return text;
}

int fittingLength(QStringView insert, int room)
{
    const int size = int(insert.size());
    if (room >= size)
        return size;
    if (room <= 0)
        return 0;
    int n = room;
    if (insert.at(n - 1) == u'\r' && insert.at(n) == u'\n')
        --n;
    else if (insert.at(n - 1).isHighSurrogate() && insert.at(n).isLowSurrogate())
        --n;
    return n;
}

Difference difference(QStringView before, QStringView after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before.at(prefix) == after.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    return {int(prefix), int(suffix)};
}

int followPosition(QStringView before, QStringView after, int position)
{
    const Difference d = difference(before, after);
    const int oldSize = int(before.size());
    const int newSize = int(after.size());
    if (position >= oldSize - d.suffix)
        return std::clamp(position + newSize - oldSize, 0, newSize);
    if (position < d.prefix)
        return position;
    return newSize - d.suffix;
}

} // namespace brisquel::textmap
