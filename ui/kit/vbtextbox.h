#pragma once

#include "core/vbtypes.h"
#include "texteditors.h"

#include <QWidget>

#include <utility>

namespace brisquel {

// A text box: single-line, or multi-line with a vertical scroll bar.
//
// Text() is exactly what code and user put in: a line break typed with Enter
// is CR LF (two characters), and control characters that code puts in (a
// lone CR, LF CR, Backspace...) stay as they are. The widget only shows a
// copy of the text; edits the user makes in it are carried over onto the
// text, and assignments from code onto the widget.
class VbTextBox : public QWidget, private detail::TextBoxHost {
    Q_OBJECT

public:
    explicit VbTextBox(bool multiLine, QWidget *parent = nullptr);
    ~VbTextBox() override;

    bool isMultiLine() const { return m_multiLine; }

    QString Text() const { return m_text; }
    // An assignment from code: runs Change when the text differs, and keeps
    // the caret where the user had it (behind what was added at it).
    void setText(const QString &text);
    int Len() const { return int(m_text.size()); }

    // Limit on what the user types or pastes (0: none); never on setText.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int maxLength);

    // Positions in Text().
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length); // past the end selects to the end
    QString SelText() const;

    void SetFocus();

    QString FontName() const;
    void setFontName(const QString &name);
    bool FontBold() const;
    void setFontBold(bool bold);
    bool FontItalic() const;
    void setFontItalic(bool italic);
    float FontSize() const;
    void setFontSize(float points);
    bool FontStrikethru() const;
    void setFontStrikethru(bool strikethru);
    bool FontUnderline() const;
    void setFontUnderline(bool underline);

    // Colours in the old 32-bit form (see vbcolor.h); a system colour is
    // kept as given and shown in the running system's colour.
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 color);
    qint32 BackColor() const { return m_backColor; }
    void setBackColor(qint32 color);

    // The widget that shows the text.
    QWidget *editor() const;

signals:
    // The text changed: typed, pasted, cut, or assigned from code.
    void Change();
    // A character key, before the box takes it; set KeyAscii to 0 to discard
    // the key, or to another code to type that character instead.
    void KeyPress(brisquel::Integer &KeyAscii);
    void GotFocus();

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
    // Changes one property of the box's font, keeping the rest.
    template <class Change>
    void changeFont(Change change)
    {
        QFont f = font();
        change(f);
        setFont(f);
    }
    // detail::TextBoxHost
    void hostKeyPress(QKeyEvent *event) override;
    void hostInputMethod(QInputMethodEvent *event) override;
    void hostPaste(const QString &clip) override;
    QString hostCopy() const override;
    void hostEventDone() override;

    void widgetChanged();
    void typeCode(Integer code);
    void typeKey(QKeyEvent *event, Integer code);
    void typeText(const QString &text);
    int room() const;
    std::pair<int, int> selection() const; // (start, length) in Text()
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
