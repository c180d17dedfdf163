#include "keycodes.h"

#include "core/cp1252.h"

#include <QKeyEvent>

namespace brisquel {

namespace {
constexpr int kQuestionMark = 63;
// Ctrl+[, Ctrl+\ and Ctrl+] type the control characters after Ctrl+Z.
constexpr int kFileSeparator = 28;
constexpr int kGroupSeparator = 29;

// The first character of a key's text, a surrogate pair kept whole.
QStringView firstCharacter(const QString &text)
{
    if (text.size() >= 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate())
        return QStringView(text).left(2);
    return QStringView(text).left(1);
}

int controlCode(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    switch (key) {
    case Qt::Key_BracketLeft:
        return KeyCode::Escape;
    case Qt::Key_Backslash:
        return kFileSeparator;
    case Qt::Key_BracketRight:
        return kGroupSeparator;
    default:
        return KeyCode::None;
    }
}
} // namespace

int characterCode(const QKeyEvent *event)
{
    if (event == nullptr)
        return KeyCode::None;
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);

    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? KeyCode::CtrlEnter : KeyCode::Enter;
    case Qt::Key_Escape:
        return KeyCode::Escape;
    case Qt::Key_Backspace:
        return KeyCode::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return KeyCode::None;
    default:
        break;
    }

    // Ctrl+Alt is how some systems spell AltGr, which types characters.
    if (ctrl && !alt)
        return controlCode(key); // the text of these is empty on some platforms
    if (alt && !ctrl)
        return KeyCode::None; // accelerators

    const QString text = event->text();
    if (text.isEmpty())
        return KeyCode::None;
    const char16_t first = text.at(0).unicode();
    if (first < KeyCode::FirstPrintable || first == 0x7F)
        return KeyCode::None;
    const QByteArray encoded = encodeCp1252(firstCharacter(text));
    if (encoded.size() != 1)
        return kQuestionMark;
    return static_cast<unsigned char>(encoded.at(0));
}

QString characterFromCode(int code)
{
    if (code <= 0)
        return {};
    if (code < 256)
        return decodeCp1252(QByteArray(1, char(code)));
    return QString(QChar(char16_t(code)));
}

} // namespace brisquel
