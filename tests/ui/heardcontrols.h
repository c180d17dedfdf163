#pragma once

// What a screen reader hears of a window, read through Qt's accessibility
// interfaces as the AT-SPI bridge reads them.

#include <QAccessible>
#include <QList>
#include <QString>
#include <QWidget>
#include <QtTest>

namespace brisquel {

struct Heard {
    QAccessible::Role role;
    QString name;
    QString description;
    QObject *object;
};

// Every interface below `root`, as a screen reader walks the tree.
inline void walkHeard(QAccessibleInterface *node, QList<Heard> &heard)
{
    if (node == nullptr || !node->isValid())
        return;
    heard.append({node->role(), node->text(QAccessible::Name), node->text(QAccessible::Description), node->object()});
    for (int i = 0; i < node->childCount(); ++i)
        walkHeard(node->child(i), heard);
}

inline QList<Heard> heardIn(QWidget &window)
{
    QList<Heard> heard;
    walkHeard(QAccessible::queryAccessibleInterface(&window), heard);
    return heard;
}

inline Heard heardOf(QObject *control)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(control);
    return {node->role(), node->text(QAccessible::Name), node->text(QAccessible::Description), control};
}

inline QString describe(const Heard &h)
{
    return QStringLiteral("%1 %2 (%3): \"%4\" / \"%5\"")
        .arg(h.object ? h.object->metaObject()->className() : "?")
        .arg(h.object ? h.object->objectName() : QString())
        .arg(int(h.role))
        .arg(h.name, h.description);
}

// Roles the user acts on need a name and a description; pictures and
// labels a name.
inline void checkEveryControlIsNamed(QWidget &window)
{
    static const QList<QAccessible::Role> acted{QAccessible::PushButton, QAccessible::CheckBox,
                                                QAccessible::ComboBox,   QAccessible::EditableText,
                                                QAccessible::ScrollBar,  QAccessible::Slider};
    static const QList<QAccessible::Role> shown{QAccessible::Graphic, QAccessible::StaticText};
    const QList<Heard> heard = heardIn(window);
    QVERIFY(heard.size() > 3);
    for (const Heard &h : heard) {
        if (acted.contains(h.role)) {
            QVERIFY2(!h.name.trimmed().isEmpty() && !h.description.trimmed().isEmpty(), qPrintable(describe(h)));
        } else if (shown.contains(h.role)) {
            QVERIFY2(!h.name.trimmed().isEmpty(), qPrintable(describe(h)));
        }
        // Placeholders and accelerator marks are not words.
        QVERIFY2(h.name != QStringLiteral("...") && h.name != QStringLiteral("Combo1") && !h.name.contains('&'),
                 qPrintable(describe(h)));
    }
}

} // namespace brisquel
