#pragma once

#include <QCheckBox>

namespace brisquel {

// A check box whose caption wraps onto more lines when it is longer than
// the box is wide, and whose whole area takes clicks.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit WrappingCheckBox(const QString &caption = QString(), QWidget *parent = nullptr);

signals:
    // A character key typed while the box has the focus; the box then takes
    // the key as usual unless the handler set it to 0.
    void characterKey(int &key);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

} // namespace brisquel
