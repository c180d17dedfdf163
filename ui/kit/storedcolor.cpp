#include "storedcolor.h"

namespace brisquel {

namespace {

// The Windows system colour indices, each with the palette entry that plays
// the same part.
QColor systemColor(int index, const QPalette &p)
{
    switch (index) {
    case 0: // scroll bar
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return p.color(QPalette::Active, QPalette::Button);
    case 1: // desktop
    case 12: // application workspace
    case 16: // button shadow
        return p.color(QPalette::Active, QPalette::Dark);
    case 2: // active title bar
    case 13: // highlight
        return p.color(QPalette::Active, QPalette::Highlight);
    case 3: // inactive title bar
        return p.color(QPalette::Inactive, QPalette::Highlight);
    case 4: // menu
        return p.color(QPalette::Active, QPalette::Window);
    case 5: // window background
        return p.color(QPalette::Active, QPalette::Base);
    case 6: // window frame
    case 21: // 3-D dark shadow
        return p.color(QPalette::Active, QPalette::Shadow);
    case 7: // menu text
        return p.color(QPalette::Active, QPalette::WindowText);
    case 8: // window text
        return p.color(QPalette::Active, QPalette::Text);
    case 9: // active title text
    case 14: // highlight text
        return p.color(QPalette::Active, QPalette::HighlightedText);
    case 17: // grey (disabled) text
        return p.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return p.color(QPalette::Active, QPalette::ButtonText);
    case 19: // inactive title text
        return p.color(QPalette::Disabled, QPalette::WindowText);
    case 20: // button highlight
        return p.color(QPalette::Active, QPalette::Light);
    case 22: // 3-D light
        return p.color(QPalette::Active, QPalette::Midlight);
    case 23: // tooltip text
        return p.color(QPalette::Active, QPalette::ToolTipText);
    case 24: // tooltip background
        return p.color(QPalette::Active, QPalette::ToolTipBase);
    default:
        return {};
    }
}

} // namespace

bool isSystemColor(qint32 vb)
{
    return (quint32(vb) & quint32(kSystemColorFlag)) != 0;
}

QColor toQColor(qint32 vb, const QPalette &palette)
{
    const auto value = quint32(vb);
    if (isSystemColor(vb)) {
        // Anything above the low byte besides the flag is no colour we know.
        if ((value & 0x7FFFFF00u) != 0)
            return {};
        return systemColor(int(value & 0xFFu), palette);
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

qint32 toStoredColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return qint32(rgb.red()) + 256 * qint32(rgb.green()) + 65536 * qint32(rgb.blue());
}

} // namespace brisquel
