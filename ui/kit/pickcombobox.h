#pragma once

#include <QComboBox>

namespace brisquel {

// A combo box: a list with an editable text part, or a drop-down list only.
// Nothing is picked (pickedIndex() -1) until the user or code picks an entry.
// QComboBox::activated tells that the user picked an entry, the one already
// chosen included; in every handler of it pickedIndex() is that entry.
class PickComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PickComboBox(bool editable, QWidget *parent = nullptr);

    void addEntry(const QString &item);
    // -1 when no entry is chosen; typing in the text part unchooses it.
    int pickedIndex() const;
    void setPickedIndex(int index);
    void setText(const QString &text);

private:
    void makeEditable();

    bool m_typedOver = false;
};

} // namespace brisquel
