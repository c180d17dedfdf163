#include "wrappingcheckbox.h"

#include "accelerator.h"
#include "characterkey.h"

#include <QMetaMethod>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace brisquel {

WrappingCheckBox::WrappingCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent)
{
}

bool WrappingCheckBox::event(QEvent *event)
{
    if (clickOnAccelerator(*this, event))
        return true;
    return QCheckBox::event(event);
}

void WrappingCheckBox::keyPressEvent(QKeyEvent *event)
{
    offerCharacterKey(*this, event, isSignalConnected(QMetaMethod::fromSignal(&WrappingCheckBox::characterKey)),
                      [this](int &code) { emit characterKey(code); },
                      [this, event] { QCheckBox::keyPressEvent(event); }, AfterHandler::HandleIfFocused);
}

// Like the old check boxes, a caption longer than the box wraps onto the
// next line instead of being clipped.
void WrappingCheckBox::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect = indicator;
    indicatorOption.rect.moveTop((height() - indicator.height()) / 2);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicatorOption);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textRect = rect().adjusted(indicator.right() + 1 + spacing, 0, 0, 0);
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(textRect, flags, option.palette, isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(textRect, flags, text()).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

// The whole box takes clicks, wrapped lines included.
bool WrappingCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

} // namespace brisquel
