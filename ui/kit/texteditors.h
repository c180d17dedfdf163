#pragma once

#include <QMetaObject>
#include <QString>

#include <functional>
#include <utility>

class QEvent;
class QInputMethodEvent;
class QKeyEvent;
class QObject;
class QWidget;

namespace brisquel::detail {

// What a text box does for the widget that shows its text: the box keeps the
// text and its rules, the widget only edits what it shows. Every key, paste
// and input-method commit that reaches the widget by any road is handed here.
class TextBoxHost {
public:
    virtual void hostKeyPress(QKeyEvent *event) = 0;
    virtual void hostInputMethod(QInputMethodEvent *event) = 0;
    virtual void hostPaste(const QString &clip) = 0;
    // Exact text of the selection, for copy, cut and drag.
    virtual QString hostCopy() const = 0;
    // An edit the widget did on its own (menu, undo) is over.
    virtual void hostEventDone() = 0;

protected:
    ~TextBoxHost() = default;
};

// The widget under a text box: a multi-line plain-text editor or a
// single-line one, both seen in "shown" positions (see textmapping.h).
class TextEditor {
public:
    virtual ~TextEditor() = default;

    virtual QWidget *widget() = 0;
    virtual QString shown() const = 0;
    // Makes the widget show `target`, touching only what differs; not a
    // user edit.
    virtual void replaceShown(const QString &target) = 0;
    // Selection as (start, end), start <= end; the caret when empty.
    virtual std::pair<int, int> shownSelection() const = 0;
    virtual void setShownSelection(int start, int end) = 0;
    // Types `shown` over the selection, as the user would.
    virtual void typeShown(const QString &shown) = 0;
    // The text can be selected and copied, with the mouse and the keys, but
    // not edited.
    virtual void setSelectableOnly(bool selectableOnly) = 0;

    // The widget's own handling, bypassing the host.
    virtual void baseKeyPress(QKeyEvent *event) = 0;
    virtual void baseBackspace() = 0;
    virtual void baseInputMethod(QInputMethodEvent *event) = 0;
    virtual bool baseEvent(QEvent *event) = 0;

    // Runs `slot` after every change of what the widget shows.
    virtual QMetaObject::Connection onShownChanged(QObject *context,
                                                   const std::function<void()> &slot) = 0;
};

// The editor is a child of `parent`, which owns it.
TextEditor *createTextEditor(bool multiLine, TextBoxHost &host, QWidget *parent);

} // namespace brisquel::detail
