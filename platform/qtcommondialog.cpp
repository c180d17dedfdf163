#include "qtcommondialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

#include <cstdlib>

namespace brisquel {

namespace {
QColor toQColor(qint32 value)
{
    if (value < 0) // a system colour: start from the plain default
        return Qt::white;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 fromQColor(const QColor &color)
{
    return qint32(color.red() + 256 * color.green() + 65536 * color.blue());
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

QtCommonDialog::QtCommonDialog(QWidget *parent)
    : m_parent(parent)
{
}

bool QtCommonDialog::ShowColor()
{
    const QColor chosen = QColorDialog::getColor(toQColor(Color), owner(), QStringLiteral("Color"));
    if (!chosen.isValid())
        return false;
    Color = fromQColor(chosen);
    return true;
}

bool QtCommonDialog::ShowFont()
{
    QFont initial(FontName);
    if (FontSize > 0)
        initial.setPointSizeF(FontSize);
    initial.setBold(FontBold);
    initial.setItalic(FontItalic);
    // Open on the font really drawn: the family a name such as "Arial" is
    // matched to, in the family's own style for bold and italic.
    initial.setFamily(QFontInfo(initial).family());
    const QString style = ownStyle(initial.family(), FontBold, FontItalic);
    if (!style.isEmpty())
        initial.setStyleName(style);
    initial.setStrikeOut(FontStrikethru);
    initial.setUnderline(FontUnderline);

    QFontDialog dialog(owner());
    dialog.setWindowTitle(QStringLiteral("Fuente"));
    dialog.setCurrentFont(initial);
    const QFont opened = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = dialog.selectedFont();
    // Accepted as it opened: the name and size stay exactly as they were
    // (the dialog lists whole points, and shows a matched family's name).
    const bool sameFace = chosen.family() == opened.family() && chosen.styleName() == opened.styleName()
        && chosen.pointSize() == opened.pointSize();
    if (!sameFace) {
        FontName = chosen.family();
        FontBold = chosen.bold();
        FontItalic = chosen.italic();
        FontSize = float(chosen.pointSizeF());
    }
    FontStrikethru = chosen.strikeOut();
    FontUnderline = chosen.underline();
    return true;
}

QWidget *QtCommonDialog::owner() const
{
    return m_parent != nullptr ? m_parent : QApplication::activeWindow();
}

} // namespace brisquel
