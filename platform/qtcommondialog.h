#pragma once

#include "platform/commondialog.h"

class QWidget;

namespace brisquel {

// Qt's own colour and font dialogs (in Spanish once the Qt translation is
// loaded).
class QtCommonDialog final : public CommonDialog
{
public:
    explicit QtCommonDialog(QWidget *parent = nullptr);
    bool ShowColor() override;
    bool ShowFont() override;

private:
    // The window the dialogs open over: the one given, else the active one.
    QWidget *owner() const;

    QWidget *m_parent;
};

} // namespace brisquel
