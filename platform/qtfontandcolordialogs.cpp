#include "qtfontandcolordialogs.h"

#include "core/storedcolor.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

#include <cstdlib>

namespace brisquel {

namespace {
// The colour the dialog opens on. Callers hand in the colour drawn; a
// system colour they could not resolve starts from the plain default.
QColor initialColor(qint32 stored)
{
    if (isSystemColor(stored))
        return Qt::white;
    const Rgb rgb = rgbOf(stored);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The style of the family, by the name its font files give it, that is
// bold and italic as asked: the dialog looks a style up by that name, and
// the translated one Qt would make up ("Negrita") matches nothing. Among
// several (Bold, Condensed Bold...) the plainest weight wins.
QString ownStyle(const QString &family, bool bold, bool italic)
{
    const int wanted = bold ? QFont::Bold : QFont::Normal;
    QString best;
    int bestDistance = 0;
    for (const QString &style : QFontDatabase::styles(family)) {
        // Oblique counts as italic here, as it does for QFont.
        const QFont face = QFontDatabase::font(family, style, 10);
        if (face.bold() != bold || face.italic() != italic)
            continue;
        const int distance = std::abs(face.weight() - wanted) * 100 + int(style.size());
        if (best.isEmpty() || distance < bestDistance) {
            best = style;
            bestDistance = distance;
        }
    }
    return best;
}
} // namespace

QtFontAndColorDialogs::QtFontAndColorDialogs(QWidget *parent)
    : m_parent(parent)
{
}

std::optional<qint32> QtFontAndColorDialogs::chooseColor(qint32 current)
{
    // Qt's own dialog, never the desktop's (GTK's on GNOME): it speaks the
    // program's Spanish.
    const QColor chosen = QColorDialog::getColor(initialColor(current), owner(), QStringLiteral("Color"),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    const QColor rgb = chosen.toRgb();
    return storedRgb(rgb.red(), rgb.green(), rgb.blue());
}

std::optional<TextFont> QtFontAndColorDialogs::chooseFont(const TextFont &current)
{
    QFont initial(current.fontName);
    if (current.size > 0)
        initial.setPointSizeF(current.size);
    initial.setBold(current.bold);
    initial.setItalic(current.italic);
    // Open on the font really drawn: the family a name such as "Arial" is
    // matched to, in the family's own style for bold and italic.
    initial.setFamily(QFontInfo(initial).family());
    const QString style = ownStyle(initial.family(), current.bold, current.italic);
    if (!style.isEmpty())
        initial.setStyleName(style);
    initial.setStrikeOut(current.strikethrough);
    initial.setUnderline(current.underline);

    QFontDialog dialog(owner());
    // The desktop's own dialog (GTK's on GNOME) speaks English and hands back
    // neither strikeout nor underline.
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("Fuente"));
    dialog.setCurrentFont(initial);
    const QFont opened = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    // The dialog shows the family a name is matched to ("Liberation Sans"
    // for "Arial"): while the user keeps that family the stored name stays.
    // Likewise the size it opened on, which it lists in whole points.
    TextFont result = current;
    if (chosen.family() != opened.family())
        result.fontName = chosen.family();
    if (chosen.family() != opened.family() || chosen.styleName() != opened.styleName()) {
        result.bold = chosen.bold();
        result.italic = chosen.italic();
    }
    if (chosen.pointSize() != opened.pointSize())
        result.size = float(chosen.pointSizeF());
    result.strikethrough = chosen.strikeOut();
    result.underline = chosen.underline();
    return result;
}

QWidget *QtFontAndColorDialogs::owner() const
{
    return m_parent != nullptr ? m_parent : QApplication::activeWindow();
}

} // namespace brisquel
