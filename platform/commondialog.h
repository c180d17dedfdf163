#pragma once

#include <QString>

namespace brisquel {

// The font and colour dialogs, with the members the control panel relies
// on. Colours are 32-bit values: red + 256 x green + 65536 x blue, or a
// system colour with the top bit set.
class CommonDialog
{
public:
    virtual ~CommonDialog() = default;

    bool CancelError = false; // Cancel is reported to the caller (Show* returns false)
    int Flags = 0;
    qint32 Color = 0;

    QString FontName;
    bool FontBold = false;
    bool FontItalic = false;
    float FontSize = 8.25f;
    bool FontStrikethru = false;
    bool FontUnderline = false;

    // Each returns false when the user cancelled; the chosen values are left
    // in the members above only on acceptance.
    virtual bool ShowColor() = 0;
    virtual bool ShowFont() = 0;
};

} // namespace brisquel
