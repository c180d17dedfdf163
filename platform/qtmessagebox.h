#pragma once

#include "platform/messagebox.h"

class QWidget;

namespace brisquel {

// The message box on screen. Button sets: OK ("Aceptar") and Yes/No ("&Sí",
// "&No"); any other set shows OK. Esc answers No on a Yes/No box. The
// program's line breaks (LF then CR) are shown as one line break each.
class QtMessageBox final : public MessageBox
{
public:
    explicit QtMessageBox(QWidget *parent = nullptr);
    int show(const QString &text, int style, const QString &title) override;

private:
    QWidget *m_parent;
};

} // namespace brisquel
