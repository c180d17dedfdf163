#include "qtmessagebox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace brisquel {

namespace {

constexpr int kButtonMask = 0x7;
constexpr int kIconMask = 0x70;
constexpr int kDefaultMask = 0x300;

QMessageBox::Icon iconFor(int style)
{
    switch (style & kIconMask) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
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

int QtMessageBox::show(const QString &text, int style, const QString &title)
{
    const bool question = (style & kButtonMask) == vbYesNo;
    // Over the window the user is in, for the window manager too.
    QWidget *owner = m_parent != nullptr ? m_parent : QApplication::activeWindow();
    std::unique_ptr<QMessageBox> made = question ? std::make_unique<QuestionBox>(owner)
                                                 : std::make_unique<QMessageBox>(owner);
    QMessageBox &box = *made;
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    box.setIcon(iconFor(style));
    box.setWindowModality(Qt::ApplicationModal);
    if (style & vbSystemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);

    QPushButton *defaultButton = nullptr;
    QPushButton *escapeButton = nullptr;
    QPushButton *yes = nullptr;
    QPushButton *no = nullptr;
    QPushButton *ok = nullptr;
    if (question) {
        yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        defaultButton = (style & kDefaultMask) == vbDefaultButton2 ? no : yes;
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
        return vbYes;
    if (clicked == no)
        return vbNo;
    return vbOK;
}

} // namespace brisquel
