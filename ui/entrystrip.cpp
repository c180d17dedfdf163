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
    entryEdit = declare(new ExactTextBox(false, frame), "entryEdit", {120, 300, layout.textWidth, 315}, 0);
    entryEdit->setMaxLength(layout.maxLength);
    auto makeButton = [&](const Button &button, const char *name, int tabStop) {
        auto *control = declare(new PictureButton(button.caption, frame), name, {button.left, 300, button.width, 315},
                                tabStop);
        control->setPicture(layout.picture);
        if (!layout.downPicture.isNull())
            control->setDownPicture(layout.downPicture);
        return control;
    };
    // Created in Tab order.
    if (layout.cancelFirst) {
        cancelButton = makeButton(layout.cancel, "cancelButton", 1);
        acceptButton = makeButton(layout.accept, "acceptButton", 2);
    } else {
        acceptButton = makeButton(layout.accept, "acceptButton", 1);
        cancelButton = makeButton(layout.cancel, "cancelButton", 2);
    }
    finishTabChain();

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
