#pragma once

#include <QLabel>

namespace brisquel {

class VbLabel : public QLabel {
    Q_OBJECT

public:
    explicit VbLabel(const QString &caption = QString(), QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    // Colour of the caption in the old 32-bit form (see vbcolor.h).
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 color);

private:
    qint32 m_foreColor;
};

} // namespace brisquel
