#include "pickcombobox.h"

#include <QLineEdit>

namespace brisquel {

PickComboBox::PickComboBox(bool editable, QWidget *parent)
    : QComboBox(parent)
{
    setEditable(editable);
    if (editable) {
        // What is typed stays in the text part; it never joins the list.
        setInsertPolicy(QComboBox::NoInsert);
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_typedOver = true; });
    }
    connect(this, &QComboBox::activated, this, [this] {
        m_typedOver = false;
        emit picked();
    });
}

void PickComboBox::addEntry(const QString &item)
{
    // Qt chooses the first entry added; here nothing is chosen until picked.
    const bool noneChosen = currentIndex() < 0;
    const QString typed = isEditable() ? currentText() : QString();
    addItem(item);
    if (noneChosen && currentIndex() >= 0) {
        setCurrentIndex(-1);
        if (isEditable())
            setEditText(typed);
    }
}

int PickComboBox::pickedIndex() const
{
    return m_typedOver ? -1 : currentIndex();
}

void PickComboBox::setPickedIndex(int index)
{
    m_typedOver = false;
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void PickComboBox::setText(const QString &text)
{
    if (isEditable()) {
        setEditText(text);
        m_typedOver = currentIndex() < 0 || itemText(currentIndex()) != text;
    } else if (const int index = findText(text, Qt::MatchFixedString); index >= 0) {
        setPickedIndex(index);
    }
}

} // namespace brisquel
