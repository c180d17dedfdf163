#include "exacttextbox.h"

#include "keycodes.h"
#include "textmapping.h"
#include "storedcolor.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace brisquel {

namespace {
constexpr qint32 kWindowTextColor = storedSystemColor(SystemColor::WindowText);
constexpr qint32 kWindowBackgroundColor = storedSystemColor(SystemColor::WindowBackground);
const QString kLineBreak = QStringLiteral("\r\n");
} // namespace

ExactTextBox::ExactTextBox(bool multiLine, QWidget *parent)
    : QWidget(parent)
    , m_multiLine(multiLine)
    , m_foreColor(kWindowTextColor)
    , m_backColor(kWindowBackgroundColor)
{
    m_editor = detail::createTextEditor(multiLine, *this, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor->widget());

    // The box itself holds the focus and hands keys on to the widget, so
    // every key passes the box's rules whoever it was sent to.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    m_editor->widget()->setFocusProxy(this);
    m_editorChanged = m_editor->onShownChanged(this, [this] { widgetChanged(); });
    applyColors();
}

ExactTextBox::~ExactTextBox()
{
    // The widget goes after this part of the box; it must not report back.
    QObject::disconnect(m_editorChanged);
}

QWidget *ExactTextBox::editor() const
{
    return m_editor->widget();
}

// ---- text ----------------------------------------------------------------

void ExactTextBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    const auto [start, length] = selection();
    const int caret = textmap::followPosition(m_text, text, start + length);
    m_text = text;
    m_textPending = true;
    m_selectionPending = true;
    m_pendingSelection = {caret, 0};
    if (m_widgetBusy == 0)
        flush();
    else
        scheduleFlush();
    emit changed();
}

void ExactTextBox::widgetChanged()
{
    if (m_syncing)
        return;
    const QString now = m_editor->shown();
    if (now == m_shown)
        return; // formatting only

    // Carry the widget's edit over onto the text it was showing: the units
    // it kept stay exactly as they were, the new ones are read back.
    const textmap::Difference d = textmap::difference(m_shown, now);
    const int from = textmap::textPosition(m_shownText, d.prefix, m_multiLine);
    const int to = textmap::textPosition(m_shownText, int(m_shown.size()) - d.suffix, m_multiLine);
    const QString added = textmap::fromShown(
        QStringView(now).mid(d.prefix, now.size() - d.suffix - d.prefix), m_multiLine);
    const QString edited = m_shownText.left(from) + added + m_shownText.mid(to);

    m_shown = now;
    m_shownText = edited;
    if (textmap::toShown(edited, m_multiLine) != now) {
        // Read back, two symbols became one unit (a CR symbol typed before
        // an LF): show the text as it now stands, caret behind the edit.
        m_textPending = true;
        m_selectionPending = true;
        m_pendingSelection = {from + int(added.size()), 0};
    }
    if (edited == m_text) {
        if (m_textPending)
            scheduleFlush();
        return;
    }
    m_text = edited;

    const QPointer<ExactTextBox> alive(this);
    ++m_widgetBusy;
    emit changed();
    if (!alive)
        return;
    --m_widgetBusy;
    if (m_textPending || m_selectionPending)
        scheduleFlush();
}

void ExactTextBox::flush()
{
    if (m_widgetBusy > 0)
        return;
    if (m_textPending) {
        m_textPending = false;
        m_syncing = true;
        m_editor->replaceShown(textmap::toShown(m_text, m_multiLine));
        m_syncing = false;
        m_shown = m_editor->shown();
        m_shownText = m_text;
    }
    if (m_selectionPending) {
        m_selectionPending = false;
        const auto [start, length] = m_pendingSelection;
        m_editor->setShownSelection(textmap::shownPosition(m_shownText, start, m_multiLine),
                                    textmap::shownPosition(m_shownText, start + length, m_multiLine));
    }
}

void ExactTextBox::scheduleFlush()
{
    if (m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_flushQueued = false;
            flush();
        },
        Qt::QueuedConnection);
}

// ---- selection -----------------------------------------------------------

std::pair<int, int> ExactTextBox::selection() const
{
    if (m_selectionPending)
        return m_pendingSelection;
    const auto [start, end] = m_editor->shownSelection();
    const int from = textmap::textPosition(m_shownText, start, m_multiLine);
    const int to = textmap::textPosition(m_shownText, end, m_multiLine);
    // The widget may still show an older text than m_text for a moment.
    const int size = length();
    return {std::min(from, size), std::clamp(to, from, size) - std::min(from, size)};
}

void ExactTextBox::selectText(int start, int length)
{
    start = std::clamp(start, 0, int(m_text.size()));
    length = std::clamp(length, 0, int(m_text.size()) - start);
    m_selectionPending = true;
    m_pendingSelection = {start, length};
    flush();
}

int ExactTextBox::selectionStart() const
{
    return selection().first;
}

void ExactTextBox::setSelectionStart(int start)
{
    selectText(start, 0);
}

int ExactTextBox::selectionLength() const
{
    return selection().second;
}

void ExactTextBox::setSelectionLength(int length)
{
    selectText(selectionStart(), length);
}

QString ExactTextBox::selectedText() const
{
    const auto [start, length] = selection();
    return m_text.mid(start, length);
}

void ExactTextBox::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_editor->setSelectableOnly(readOnly);
}

void ExactTextBox::setMaxLength(int maxLength)
{
    m_maxLength = std::max(0, maxLength);
}

// ---- keys and pastes -----------------------------------------------------

bool ExactTextBox::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyRelease:
        // The widget claims the keys it edits with before any shortcut.
        return m_editor->baseEvent(event);
    default:
        return QWidget::event(event);
    }
}

void ExactTextBox::keyPressEvent(QKeyEvent *event)
{
    hostKeyPress(event);
}

void ExactTextBox::hostKeyPress(QKeyEvent *event)
{
    flush();
    const int typed = characterCode(event);
    if (typed == KeyCode::None) {
        const Qt::KeyboardModifiers mods = event->modifiers();
        if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) && !event->text().isEmpty()) {
            // Alt+letter is a window's key, never a letter typed into the box.
            event->ignore();
            return;
        }
        if (event->matches(QKeySequence::Paste)) { // Shift+Insert
            event->accept();
            hostPaste(QGuiApplication::clipboard()->text());
        } else {
            m_editor->baseKeyPress(event);
        }
        flush();
        return;
    }

    int code = typed;
    const QPointer<ExactTextBox> alive(this);
    emit characterKey(code);
    if (!alive)
        return;
    event->accept(); // the box has taken the key, whatever it does with it
    if (code == typed)
        typeKey(event, code);
    else if (code != KeyCode::None)
        typeCode(code);
    flush();
}

void ExactTextBox::typeKey(QKeyEvent *event, int code)
{
    if (event->matches(QKeySequence::Paste)) {
        hostPaste(QGuiApplication::clipboard()->text());
        return;
    }
    switch (code) {
    case KeyCode::Backspace:
        if (event->key() == Qt::Key_Backspace)
            m_editor->baseKeyPress(event);
        else
            m_editor->baseBackspace();
        return;
    case KeyCode::CtrlEnter:
    case KeyCode::Enter:
        if (m_multiLine)
            typeText(kLineBreak);
        return;
    case KeyCode::Escape:
        return;
    default:
        break;
    }
    if (code < KeyCode::FirstPrintable) {
        // Ctrl+C, Ctrl+X, Ctrl+Z, Ctrl+A...: the widget's own commands.
        m_editor->baseKeyPress(event);
        event->accept();
        return;
    }
    if (room() < event->text().size()) {
        QApplication::beep();
        return;
    }
    m_editor->baseKeyPress(event);
}

void ExactTextBox::typeCode(int code)
{
    if (m_readOnly)
        return;
    switch (code) {
    case KeyCode::Backspace:
        m_editor->baseBackspace();
        return;
    case KeyCode::CtrlEnter:
    case KeyCode::Enter:
        if (m_multiLine)
            typeText(kLineBreak);
        return;
    default:
        if (code >= KeyCode::FirstPrintable)
            typeText(characterFromCode(code));
        return;
    }
}

int ExactTextBox::room() const
{
    if (m_maxLength <= 0)
        return std::numeric_limits<int>::max();
    return std::max(0, m_maxLength - (length() - selectionLength()));
}

void ExactTextBox::typeText(const QString &text)
{
    // Enter and pastes type through here: the widget's own read-only rule
    // never sees them.
    if (m_readOnly)
        return;
    const int fits = textmap::fittingLength(text, room());
    if (fits < text.size())
        QApplication::beep();
    if (fits == 0)
        return;
    m_editor->typeShown(textmap::toShown(QStringView(text).left(fits), m_multiLine));
}

void ExactTextBox::hostPaste(const QString &clip)
{
    flush();
    typeText(textmap::pastedText(clip, m_multiLine));
}

QString ExactTextBox::hostCopy() const
{
    return selectedText();
}

void ExactTextBox::hostEventDone()
{
    flush();
}

void ExactTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    hostInputMethod(event);
}

void ExactTextBox::hostInputMethod(QInputMethodEvent *event)
{
    flush();
    if (m_readOnly) {
        event->accept();
        return;
    }
    const QString commit = event->commitString();
    const int fits = textmap::fittingLength(commit, room() + event->replacementLength());
    if (fits < commit.size()) {
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(commit.left(fits), event->replacementStart(),
                            event->replacementLength());
        m_editor->baseInputMethod(&cut);
        event->accept();
    } else {
        m_editor->baseInputMethod(event);
    }
    flush();
}

QVariant ExactTextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return m_editor->widget()->inputMethodQuery(query);
}

// ---- focus ---------------------------------------------------------------

void ExactTextBox::focusInEvent(QFocusEvent *event)
{
    m_editor->baseEvent(event);
    // Coming back from the context menu is no new focus.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusEntered();
}

void ExactTextBox::focusOutEvent(QFocusEvent *event)
{
    m_editor->baseEvent(event);
}

// ---- appearance ----------------------------------------------------------

TextFont ExactTextBox::textFont() const
{
    const QFont f = font();
    TextFont value;
    value.fontName = f.family();
    value.bold = f.bold();
    value.italic = f.italic();
    value.size = float(f.pointSizeF());
    value.strikethrough = f.strikeOut();
    value.underline = f.underline();
    return value;
}

void ExactTextBox::setTextFont(const TextFont &value)
{
    QFont f = font();
    f.setFamily(value.fontName);
    f.setBold(value.bold);
    f.setItalic(value.italic);
    if (value.size > 0.0f && std::isfinite(value.size))
        f.setPointSizeF(double(value.size));
    f.setStrikeOut(value.strikethrough);
    f.setUnderline(value.underline);
    setFont(f);
}

void ExactTextBox::setTextColor(qint32 color)
{
    m_foreColor = color;
    applyColors();
}

void ExactTextBox::setBackgroundColor(qint32 color)
{
    m_backColor = color;
    applyColors();
}

void ExactTextBox::applyColors()
{
    QWidget *shownIn = m_editor->widget();
    const QPalette system = QApplication::palette(shownIn);
    QPalette palette = system;
    const QColor fore = toQColor(m_foreColor, system);
    if (fore.isValid()) {
        palette.setColor(QPalette::Active, QPalette::Text, fore);
        palette.setColor(QPalette::Inactive, QPalette::Text, fore);
    }
    const QColor back = toQColor(m_backColor, system);
    if (back.isValid())
        palette.setColor(QPalette::Base, back);
    m_applyingColors = true;
    shownIn->setPalette(palette);
    m_applyingColors = false;
}

void ExactTextBox::changeEvent(QEvent *event)
{
    // System colours follow a change of the system's look.
    if (event->type() == QEvent::PaletteChange && !m_applyingColors)
        applyColors();
    QWidget::changeEvent(event);
}

} // namespace brisquel
