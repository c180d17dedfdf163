#pragma once

#include "texteditors.h"

#include "core/textboxlook.h"

#include <QWidget>

#include <utility>

namespace brisquel {

// A text box: single-line, or multi-line with a vertical scroll bar.
//
// text() is exactly what code and user put in: a line break typed with Enter
// is CR LF (two characters), and control characters that code puts in (a
// lone CR, LF CR, Backspace...) stay as they are. The widget only shows a
// copy of the text; edits the user makes in it are carried over onto the
// text, and assignments from code onto the widget.
class ExactTextBox : public QWidget, private detail::TextBoxHost {
    Q_OBJECT

public:
    explicit ExactTextBox(bool multiLine, QWidget *parent = nullptr);
    ~ExactTextBox() override;

    bool isMultiLine() const { return m_multiLine; }

    QString text() const { return m_text; }
    // An assignment from code: runs Change when the text differs, and keeps
    // the caret where the user had it (behind what was added at it).
    void setText(const QString &text);
    int length() const { return int(m_text.size()); }

    // Limit on what the user types or pastes (0: none); never on setText.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int maxLength);

    // A read-only box shows its text to be read, selected and copied; the
    // user changes nothing in it (code still can, with setText).
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

    // Positions in text().
    int selectionStart() const;
    void setSelectionStart(int start);
    int selectionLength() const;
    void setSelectionLength(int length); // past the end selects to the end
    QString selectedText() const;

    // The box's font. A size that is not above 0 keeps the size the box has.
    TextFont textFont() const;
    void setTextFont(const TextFont &font);

    // Colours in the settings file's 32-bit form (see storedcolor.h); a system colour is
    // kept as given and shown in the running system's colour.
    qint32 textColor() const { return m_foreColor; }
    void setTextColor(qint32 color);
    qint32 backgroundColor() const { return m_backColor; }
    void setBackgroundColor(qint32 color);

    // The widget that shows the text.
    QWidget *editor() const;

signals:
    // The text changed: typed, pasted, cut, or assigned from code.
    void changed();
    // A character key, before the box takes it; set key to 0 to discard
    // the key, or to another code to type that character instead.
    void characterKey(int &key);
    void focusEntered();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

public:
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    // detail::TextBoxHost
    void hostKeyPress(QKeyEvent *event) override;
    void hostInputMethod(QInputMethodEvent *event) override;
    void hostPaste(const QString &clip) override;
    QString hostCopy() const override;
    void hostEventDone() override;

    void widgetChanged();
    void typeCode(int code);
    void typeKey(QKeyEvent *event, int code);
    void typeText(const QString &text);
    int room() const;
    std::pair<int, int> selection() const; // (start, length) in text()
    void selectText(int start, int length);
    void flush();
    void scheduleFlush();
    void applyColors();

    const bool m_multiLine;
    detail::TextEditor *m_editor = nullptr;
    QMetaObject::Connection m_editorChanged;

    QString m_text;        // the truth
    QString m_shownText;   // the text the widget shows now
    QString m_shown;       // what the widget shows, as last seen
    int m_maxLength = 0;
    bool m_readOnly = false;

    // While the widget is in the middle of an edit of its own, assignments
    // wait in m_text and reach the widget once the edit is over.
    int m_widgetBusy = 0;
    bool m_syncing = false;
    bool m_textPending = false;
    bool m_selectionPending = false;
    std::pair<int, int> m_pendingSelection; // (start, length)
    bool m_flushQueued = false;

    qint32 m_foreColor;
    qint32 m_backColor;
    bool m_applyingColors = false;
};

} // namespace brisquel
