#include "qtmessagebox.h"

#include <QMessageBox>
#include <QPushButton>

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

} // namespace

QtMessageBox::QtMessageBox(QWidget *parent)
    : m_parent(parent)
{
}

int QtMessageBox::show(const QString &text, int style, const QString &title)
{
    QMessageBox box(m_parent);
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
    if ((style & kButtonMask) == vbYesNo) {
        yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        defaultButton = (style & kDefaultMask) == vbDefaultButton2 ? no : yes;
        escapeButton = no;
    } else {
        ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
        defaultButton = ok;
        escapeButton = ok;
    }
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(escapeButton);

    box.exec();

    const auto *clicked = box.clickedButton();
    if (clicked == nullptr)
        clicked = escapeButton;
    if (clicked == yes)
        return vbYes;
    if (clicked == no)
        return vbNo;
    return vbOK;
}

} // namespace brisquel
