#include "storedcolor.h"

namespace brisquel {

namespace {

// The palette entry that plays the part of each system colour.
QColor paletteColor(SystemColor index, const QPalette &p)
{
    switch (index) {
    case SystemColor::ScrollBar:
    case SystemColor::ActiveBorder:
    case SystemColor::InactiveBorder:
    case SystemColor::ButtonFace:
        return p.color(QPalette::Active, QPalette::Button);
    case SystemColor::Desktop:
    case SystemColor::AppWorkspace:
    case SystemColor::ButtonShadow:
        return p.color(QPalette::Active, QPalette::Dark);
    case SystemColor::ActiveTitle:
    case SystemColor::Highlight:
        return p.color(QPalette::Active, QPalette::Highlight);
    case SystemColor::InactiveTitle:
        return p.color(QPalette::Inactive, QPalette::Highlight);
    case SystemColor::Menu:
        return p.color(QPalette::Active, QPalette::Window);
    case SystemColor::WindowBackground:
        return p.color(QPalette::Active, QPalette::Base);
    case SystemColor::WindowFrame:
    case SystemColor::DarkShadow3D:
        return p.color(QPalette::Active, QPalette::Shadow);
    case SystemColor::MenuText:
        return p.color(QPalette::Active, QPalette::WindowText);
    case SystemColor::WindowText:
        return p.color(QPalette::Active, QPalette::Text);
    case SystemColor::ActiveTitleText:
    case SystemColor::HighlightText:
        return p.color(QPalette::Active, QPalette::HighlightedText);
    case SystemColor::GreyText:
        return p.color(QPalette::Disabled, QPalette::Text);
    case SystemColor::ButtonText:
        return p.color(QPalette::Active, QPalette::ButtonText);
    case SystemColor::InactiveTitleText:
        return p.color(QPalette::Disabled, QPalette::WindowText);
    case SystemColor::ButtonHighlight:
        return p.color(QPalette::Active, QPalette::Light);
    case SystemColor::Light3D:
        return p.color(QPalette::Active, QPalette::Midlight);
    case SystemColor::TooltipText:
        return p.color(QPalette::Active, QPalette::ToolTipText);
    case SystemColor::TooltipBackground:
        return p.color(QPalette::Active, QPalette::ToolTipBase);
    }
    return {};
}

} // namespace

QColor toQColor(qint32 stored, const QPalette &palette)
{
    if (isSystemColor(stored)) {
        const int index = systemColorIndex(stored);
        if (index < 0)
            return {};
        return paletteColor(SystemColor(index), palette);
    }
    const Rgb rgb = rgbOf(stored);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

qint32 toStoredColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return storedRgb(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace brisquel
