#pragma once

#include "platform/messagebox.h"

class QWidget;

namespace brisquel {

// The message box on screen. Button sets: OK ("Aceptar") and Yes/No ("&Sí",
// "&No"). A Yes/No box has no escape button. The
// program's line breaks (LF then CR) are shown as one line break each.
class QtMessageBox final : public MessageBox
{
public:
    explicit QtMessageBox(QWidget *parent = nullptr);
    Answer show(const QString &text, const Style &style, const QString &title) override;

private:
    QWidget *m_parent;
};

} // namespace brisquel
