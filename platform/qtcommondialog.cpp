#include "qtcommondialog.h"

#include <QColorDialog>
#include <QFontDialog>

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
} // namespace

QtCommonDialog::QtCommonDialog(QWidget *parent)
    : m_parent(parent)
{
}

bool QtCommonDialog::ShowColor()
{
    const QColor chosen = QColorDialog::getColor(toQColor(Color), m_parent, QStringLiteral("Color"));
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
    initial.setStrikeOut(FontStrikethru);
    initial.setUnderline(FontUnderline);
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, m_parent, QStringLiteral("Fuente"));
    if (!accepted)
        return false;
    FontName = chosen.family();
    FontBold = chosen.bold();
    FontItalic = chosen.italic();
    FontSize = float(chosen.pointSizeF());
    FontStrikethru = chosen.strikeOut();
    FontUnderline = chosen.underline();
    return true;
}

} // namespace brisquel
