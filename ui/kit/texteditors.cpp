#include "texteditors.h"

#include "textmapping.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <limits>

namespace brisquel::detail {

namespace {

class PlainEditor final : public QPlainTextEdit, public TextEditor {
public:
    PlainEditor(TextBoxHost &host, QWidget *parent)
        : QPlainTextEdit(parent)
        , m_host(host)
    {
        setTabChangesFocus(true);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The old text boxes take no drops; dragged text would also bypass
        // the box's length limit.
        setAcceptDrops(false);
        viewport()->setAcceptDrops(false);
    }

    QWidget *widget() override { return this; }

    QString shown() const override
    {
        QString text;
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            if (block != document()->begin())
                text.append(QChar(textmap::kShownBreak));
            text.append(block.text());
        }
        return text;
    }

    void replaceShown(const QString &target) override
    {
        const QString current = shown();
        const textmap::Difference d = textmap::difference(current, target);
        // An assignment from code starts a new undo history, as the old
        // boxes and Qt's own setPlainText do.
        const bool undo = document()->isUndoRedoEnabled();
        document()->setUndoRedoEnabled(false);
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        cursor.setPosition(d.prefix);
        cursor.setPosition(int(current.size()) - d.suffix, QTextCursor::KeepAnchor);
        if (cursor.hasSelection())
            cursor.removeSelectedText();
        const QString middle = target.mid(d.prefix, target.size() - d.suffix - d.prefix);
        if (!middle.isEmpty())
            cursor.insertText(middle);
        cursor.endEditBlock();
        document()->setUndoRedoEnabled(undo);
    }

    std::pair<int, int> shownSelection() const override
    {
        const QTextCursor cursor = textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }

    void setShownSelection(int start, int end) override
    {
        QTextCursor cursor = textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }

    void typeShown(const QString &text) override
    {
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        cursor.insertText(text);
        cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
    }

    void setSelectableOnly(bool selectableOnly) override
    {
        setReadOnly(selectableOnly);
        // Read-only alone leaves only the mouse to select with.
        if (selectableOnly)
            setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }

    void baseKeyPress(QKeyEvent *event) override { QPlainTextEdit::keyPressEvent(event); }

    void baseBackspace() override
    {
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QPlainTextEdit::keyPressEvent(&backspace);
    }

    void baseInputMethod(QInputMethodEvent *event) override
    {
        QPlainTextEdit::inputMethodEvent(event);
    }

    bool baseEvent(QEvent *event) override { return QPlainTextEdit::event(event); }

    QMetaObject::Connection onShownChanged(QObject *context,
                                           const std::function<void()> &slot) override
    {
        return QObject::connect(document(), &QTextDocument::contentsChanged, context, slot);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override { m_host.hostKeyPress(event); }
    void inputMethodEvent(QInputMethodEvent *event) override { m_host.hostInputMethod(event); }

    // Paste from the keyboard and from the context menu both land here.
    void insertFromMimeData(const QMimeData *source) override
    {
        if (source != nullptr && source->hasText())
            m_host.hostPaste(source->text());
        m_host.hostEventDone();
    }

    QMimeData *createMimeDataFromSelection() const override
    {
        auto *mime = new QMimeData;
        mime->setText(m_host.hostCopy());
        return mime;
    }

    void contextMenuEvent(QContextMenuEvent *event) override
    {
        QPlainTextEdit::contextMenuEvent(event);
        m_host.hostEventDone();
    }

private:
    TextBoxHost &m_host;
};

class LineEditor final : public QLineEdit, public TextEditor {
public:
    LineEditor(TextBoxHost &host, QWidget *parent)
        : QLineEdit(parent)
        , m_host(host)
    {
        // The box applies its own limit to what the user types; text from
        // code is never cut.
        setMaxLength(std::numeric_limits<int>::max());
        setAcceptDrops(false);
    }

    QWidget *widget() override { return this; }
    QString shown() const override { return text(); }

    void replaceShown(const QString &target) override
    {
        if (text() != target)
            setText(target);
    }

    std::pair<int, int> shownSelection() const override
    {
        if (!hasSelectedText())
            return {cursorPosition(), cursorPosition()};
        return {selectionStart(), selectionEnd()};
    }

    void setShownSelection(int start, int end) override
    {
        if (start == end)
            setCursorPosition(start);
        else
            setSelection(start, end - start);
    }

    void typeShown(const QString &shownText) override { insert(shownText); }
    void setSelectableOnly(bool selectableOnly) override { setReadOnly(selectableOnly); }

    void baseKeyPress(QKeyEvent *event) override { QLineEdit::keyPressEvent(event); }
    void baseBackspace() override { backspace(); }
    void baseInputMethod(QInputMethodEvent *event) override { QLineEdit::inputMethodEvent(event); }
    bool baseEvent(QEvent *event) override { return QLineEdit::event(event); }

    QMetaObject::Connection onShownChanged(QObject *context,
                                           const std::function<void()> &slot) override
    {
        return QObject::connect(this, &QLineEdit::textChanged, context, slot);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override { m_host.hostKeyPress(event); }
    void inputMethodEvent(QInputMethodEvent *event) override { m_host.hostInputMethod(event); }

    // The menu's Paste goes through the box like Ctrl+V does.
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        QMenu *menu = createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        if (auto *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
            QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
            QObject::connect(paste, &QAction::triggered, this, [this] {
                m_host.hostPaste(QGuiApplication::clipboard()->text());
                m_host.hostEventDone();
            });
        }
        QObject::connect(menu, &QMenu::aboutToHide, this, [this] { m_host.hostEventDone(); });
        menu->popup(event->globalPos());
    }

private:
    TextBoxHost &m_host;
};

} // namespace

TextEditor *createTextEditor(bool multiLine, TextBoxHost &host, QWidget *parent)
{
    if (multiLine)
        return new PlainEditor(host, parent);
    return new LineEditor(host, parent);
}

} // namespace brisquel::detail
