#pragma once

#include <QComboBox>

namespace brisquel {

// A combo box: a list with an editable text part, or a drop-down list only.
// Nothing is chosen (ListIndex -1) until the user or code picks an entry.
class VbComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit VbComboBox(bool editable, QWidget *parent = nullptr);

    void AddItem(const QString &item);
    int ListCount() const { return count(); }
    // -1 when no entry is chosen; typing in the text part unchooses it.
    int ListIndex() const;
    void setListIndex(int index);
    QString Text() const { return currentText(); }
    void setText(const QString &text);
    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString &tip) { setToolTip(tip); }

signals:
    // The user picked an entry of the list, the one already chosen included.
    void Click();

private:
    bool m_typedOver = false;
};

} // namespace brisquel
