#pragma once

#include <QPixmap>
#include <QPushButton>

namespace brisquel {

// A button that shows a picture above its caption, and a second picture
// while it is held down. Pure cyan (0, 255, 255) in the pictures is
// transparent. Without a picture it is a plain text button. Enter clicks
// the button that has the focus, as Space does.
class PictureButton : public QPushButton {
    Q_OBJECT

public:
    explicit PictureButton(QWidget *parent = nullptr);
    explicit PictureButton(const QString &caption, QWidget *parent = nullptr);

    // text() is the caption; an "&" in it marks the Alt+letter key.

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    QPixmap downPicture() const { return m_downPicture; }
    void setDownPicture(const QPixmap &picture);

    QSize sizeHint() const override;

    // The picture with its cyan made transparent.
    static QPixmap withCyanTransparent(const QPixmap &picture);

signals:
    // A character key typed while the button has the focus. With a handler
    // the button keeps the key (Space and Enter still press it); without
    // one the key goes on to the window.
    void characterKey(int &key);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_downPicture;
};

} // namespace brisquel
