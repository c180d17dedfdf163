#pragma once

#include <QLabel>

namespace brisquel {

class ColorLabel : public QLabel {
    Q_OBJECT

public:
    explicit ColorLabel(const QString &caption = QString(), QWidget *parent = nullptr);

    // Colour of the caption in the settings file's 32-bit form (see storedcolor.h).
    qint32 textColor() const { return m_foreColor; }
    void setTextColor(qint32 color);

private:
    qint32 m_foreColor;
};

} // namespace brisquel
