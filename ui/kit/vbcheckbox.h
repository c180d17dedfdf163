#pragma once

#include "core/vbtypes.h"

#include <QCheckBox>

namespace brisquel {

class VbCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit VbCheckBox(const QString &caption = QString(), QWidget *parent = nullptr);

    // 0 unchecked, 1 checked, 2 greyed.
    int Value() const;
    void setValue(int value);
    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

signals:
    // The user toggled the box (click, Space, Alt+letter).
    void Click();
    // A character key typed while the box has the focus; the box then takes
    // the key as usual unless the handler set it to 0.
    void KeyPress(brisquel::Integer &KeyAscii);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

} // namespace brisquel
