#include "vbcheckbox.h"

#include "keycodes.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPointer>

namespace brisquel {

VbCheckBox::VbCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent)
{
    connect(this, &QAbstractButton::clicked, this, &VbCheckBox::Click);
}

int VbCheckBox::Value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void VbCheckBox::setValue(int value)
{
    if (value == 2) {
        setTristate(true);
        setCheckState(Qt::PartiallyChecked);
    } else {
        setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
    }
}

void VbCheckBox::keyPressEvent(QKeyEvent *event)
{
    Integer code = vbKeyAscii(event);
    if (code == 0 || !isSignalConnected(QMetaMethod::fromSignal(&VbCheckBox::KeyPress))) {
        QCheckBox::keyPressEvent(event);
        return;
    }
    const QPointer<VbCheckBox> alive(this);
    emit KeyPress(code);
    if (!alive)
        return;
    // A handler that moved the focus away leaves nothing to press here.
    if (code != 0 && hasFocus())
        QCheckBox::keyPressEvent(event);
    event->accept();
}

} // namespace brisquel
