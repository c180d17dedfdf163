#include "entrystrip.h"

#include "ui/kit/exacttextbox.h"
#include "ui/kit/keycodes.h"
#include "ui/kit/picturebutton.h"

#include <QGroupBox>
#include <QShortcut>

namespace brisquel {

EntryStrip::EntryStrip(const ScreenMetrics &metrics, const Layout &layout)
    : DialogStrip(metrics, layout.frameCaption)
{
    entryEdit = new ExactTextBox(false, frame);
    entryEdit->setObjectName(QStringLiteral("entryEdit"));
    entryEdit->setMaxLength(layout.maxLength);
    place(entryEdit, 120, 300, layout.textWidth, 315);
    auto makeButton = [&](const Button &button, const char *name) {
        auto *control = new PictureButton(button.caption, frame);
        control->setObjectName(QLatin1String(name));
        place(control, button.left, 300, button.width, 315);
        control->setPicture(layout.picture);
        if (!layout.downPicture.isNull())
            control->setDownPicture(layout.downPicture);
        return control;
    };
    // Created in Tab order.
    if (layout.cancelFirst) {
        cancelButton = makeButton(layout.cancel, "cancelButton");
        acceptButton = makeButton(layout.accept, "acceptButton");
    } else {
        acceptButton = makeButton(layout.accept, "acceptButton");
        cancelButton = makeButton(layout.cancel, "cancelButton");
    }
    PictureButton *first = layout.cancelFirst ? cancelButton : acceptButton;
    PictureButton *second = layout.cancelFirst ? acceptButton : cancelButton;
    setTabOrder(entryEdit, first);
    setTabOrder(first, second);

    connect(acceptButton, &QPushButton::clicked, this, [this] { finish(true); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { finish(false); });
    connect(entryEdit, &ExactTextBox::characterKey, this, &EntryStrip::onEntryKey);
    connect(entryEdit, &ExactTextBox::focusEntered, this, &EntryStrip::selectAllOnFocus);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { finish(false); });
}

void EntryStrip::finish(bool accepted)
{
    if (accepted)
        onAccepted();
    entryEdit->setFocus();
    hide();
}

void EntryStrip::onEntryKey(int &key)
{
    if (key == KeyCode::Enter) {
        key = KeyCode::None;
        finish(true);
    }
}

void EntryStrip::selectAllOnFocus()
{
    entryEdit->setSelectionStart(0);
    entryEdit->setSelectionLength(entryEdit->maxLength());
}

void EntryStrip::showEvent(QShowEvent *event)
{
    DialogStrip::showEvent(event);
    entryEdit->setFocus();
}

} // namespace brisquel
