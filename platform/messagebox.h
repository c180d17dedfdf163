#pragma once

#include <QString>

namespace brisquel {

// Style codes of a message box, added together: one button set, one icon,
// the default button and the modality.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbSystemModal = 4096;

// The button pressed.
inline constexpr int vbOK = 1;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// A modal message box: shows the text with the buttons, icon, default
// button and modality of the style, and returns the button pressed.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual int show(const QString &text, int style, const QString &title) = 0;
};

} // namespace brisquel
