#include "pickcombobox.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace brisquel {

namespace {

// Qt's own combo box interface, on Linux, answers its current text when
// asked for the name, so a screen reader heard "Combo1" whatever name the
// window gave. This one is heard by its name, with the text as its value;
// its children stay the widgets inside it (the text field of an editable
// one), and its action opens the list.
class AccessiblePickComboBox : public QAccessibleWidget {
public:
    explicit AccessiblePickComboBox(PickComboBox *combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *combo = static_cast<const PickComboBox *>(widget());
        if (t == QAccessible::Value)
            return combo->currentText();
        if (t == QAccessible::Name && combo->accessibleName().isEmpty())
            return combo->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            static_cast<PickComboBox *>(widget())->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *pickComboBoxInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(PickComboBox::staticMetaObject.className()))
        return new AccessiblePickComboBox(static_cast<PickComboBox *>(object));
    return nullptr;
}

} // namespace

PickComboBox::PickComboBox(bool editable, QWidget *parent)
    : QComboBox(parent)
{
    // Qt keeps a list of such factories for the whole program; ours goes in once.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pickComboBoxInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    if (editable)
        makeEditable();
    connect(this, &QComboBox::activated, this, [this] { m_typedOver = false; });
}

void PickComboBox::makeEditable()
{
    if (isEditable())
        return;
    setEditable(true);
    // What is typed stays in the text part; it never joins the list.
    setInsertPolicy(QComboBox::NoInsert);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_typedOver = true; });
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
