#include "colorlabel.h"

#include "storedcolor.h"

#include <QApplication>

namespace brisquel {

namespace {
constexpr qint32 kButtonTextColor = storedSystemColor(SystemColor::ButtonText);
} // namespace

ColorLabel::ColorLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
    , m_foreColor(kButtonTextColor)
{
    // A caption is shown as written; "&" is no accelerator on a label.
    setTextFormat(Qt::PlainText);
}

void ColorLabel::setTextColor(qint32 color)
{
    m_foreColor = color;
    const QPalette system = QApplication::palette(this);
    const QColor shown = toQColor(color, system);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, shown.isValid() ? shown : system.color(QPalette::WindowText));
    setPalette(p);
}

} // namespace brisquel
