#pragma once

#include <QFlags>
#include <QString>

namespace brisquel {

// A modal message box: shows the text with the buttons, icon and options
// asked for, and returns the button pressed.
class MessageBox
{
public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Critical, Question, Warning, Information };
    enum Option {
        NoOptions = 0x0,
        NoIsDefault = 0x1, // Enter answers No on a Yes/No box (Yes otherwise)
        StaysOnTop = 0x2, // above every other window, the program's own or not
    };
    Q_DECLARE_FLAGS(Options, Option)

    struct Style {
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Options options = NoOptions;
        bool operator==(const Style &other) const = default;
    };

    enum class Answer { Ok, Yes, No };

    virtual ~MessageBox() = default;
    virtual Answer show(const QString &text, const Style &style, const QString &title) = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(MessageBox::Options)

} // namespace brisquel
