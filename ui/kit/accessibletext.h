#pragma once

#include <QString>

class QWidget;

namespace brisquel {

// What a screen reader says for a control: its name, and a description
// where none is given (an empty one leaves the tooltip to describe it, as
// Qt does). A screen reader meets the parts a control keeps inside it on
// their own (the text field of a text box or of an editable combo box,
// their scroll bars), so they are named after the control too. Nothing
// drawn changes.
void describeControl(QWidget &control, const QString &name, const QString &description = QString());

// A caption as it is heard: without the "&" that marks its Alt+letter key
// ("&&" stands for one "&").
QString spokenCaption(const QString &caption);

} // namespace brisquel
