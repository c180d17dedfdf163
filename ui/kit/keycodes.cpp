#include "keycodes.h"

#include "core/cp1252.h"

#include <QKeyEvent>

namespace brisquel {

namespace {
constexpr Integer kQuestionMark = 63;

// The first character of a key's text, a surrogate pair kept whole.
QStringView firstCharacter(const QString &text)
{
    if (text.size() >= 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate())
        return QStringView(text).left(2);
    return QStringView(text).left(1);
}

Integer controlCode(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return Integer(key - Qt::Key_A + 1);
    switch (key) {
    case Qt::Key_BracketLeft:
        return 27;
    case Qt::Key_Backslash:
        return 28;
    case Qt::Key_BracketRight:
        return 29;
    default:
        return 0;
    }
}
} // namespace

Integer characterCode(const QKeyEvent *event)
{
    if (event == nullptr)
        return 0;
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);

    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? 10 : 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return 0;
    default:
        break;
    }

    // Ctrl+Alt is how some systems spell AltGr, which types characters.
    if (ctrl && !alt)
        return controlCode(key); // the text of these is empty on some platforms
    if (alt && !ctrl)
        return 0; // accelerators

    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    const char16_t first = text.at(0).unicode();
    if (first < 0x20 || first == 0x7F)
        return 0;
    const QByteArray encoded = encodeCp1252(firstCharacter(text));
    if (encoded.size() != 1)
        return kQuestionMark;
    return Integer(static_cast<unsigned char>(encoded.at(0)));
}

QString characterFromCode(Integer keyAscii)
{
    if (keyAscii <= 0)
        return {};
    if (keyAscii < 256)
        return decodeCp1252(QByteArray(1, char(keyAscii)));
    return QString(QChar(char16_t(keyAscii)));
}

} // namespace brisquel
