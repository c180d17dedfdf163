#include "qtmessagebox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace brisquel {

namespace {

QMessageBox::Icon iconFor(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::None: return QMessageBox::NoIcon;
    case MessageBox::Icon::Critical: return QMessageBox::Critical;
    case MessageBox::Icon::Question: return QMessageBox::Question;
    case MessageBox::Icon::Warning: return QMessageBox::Warning;
    case MessageBox::Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The program ends its lines with LF then CR; a label would show the CR as
// a second break, so each such pair becomes one line break on screen.
QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return shown;
}

// A Yes/No question has no escape button, as on the platform the program
// comes from: neither Esc nor the window's close button answers it.
class QuestionBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (clickedButton() == nullptr) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

} // namespace

QtMessageBox::QtMessageBox(QWidget *parent)
    : m_parent(parent)
{
}

MessageBox::Answer QtMessageBox::show(const QString &text, const Style &style, const QString &title)
{
    const bool question = style.buttons == Buttons::YesNo;
    // Over the window the user is in, for the window manager too.
    QWidget *owner = m_parent != nullptr ? m_parent : QApplication::activeWindow();
    std::unique_ptr<QMessageBox> made = question ? std::make_unique<QuestionBox>(owner)
                                                 : std::make_unique<QMessageBox>(owner);
    QMessageBox &box = *made;
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    box.setIcon(iconFor(style.icon));
    box.setWindowModality(Qt::ApplicationModal);
    if (style.options.testFlag(StaysOnTop))
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);

    QPushButton *defaultButton = nullptr;
    QPushButton *escapeButton = nullptr;
    QPushButton *yes = nullptr;
    QPushButton *no = nullptr;
    QPushButton *ok = nullptr;
    if (question) {
        yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        defaultButton = style.options.testFlag(NoIsDefault) ? no : yes;
    } else {
        ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
        defaultButton = ok;
        escapeButton = ok;
    }
    box.setDefaultButton(defaultButton);
    if (escapeButton != nullptr)
        box.setEscapeButton(escapeButton);

    box.exec();

    const auto *clicked = box.clickedButton();
    if (clicked == nullptr)
        clicked = question ? defaultButton : escapeButton;
    if (clicked == yes)
        return Answer::Yes;
    if (clicked == no)
        return Answer::No;
    return Answer::Ok;
}

} // namespace brisquel
