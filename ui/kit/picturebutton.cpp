#include "picturebutton.h"

#include "accelerator.h"
#include "characterkey.h"

#include <QIcon>
#include <QImage>
#include <QMetaMethod>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>

namespace brisquel {

namespace {
constexpr QRgb kTransparentCyan = qRgb(0, 255, 255);
constexpr int kPictureGap = 1;
} // namespace

PictureButton::PictureButton(QWidget *parent)
    : PictureButton(QString(), parent)
{
}

PictureButton::PictureButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // A focused button is clicked by Enter as by Space.
    setAutoDefault(true);
}

QPixmap PictureButton::withCyanTransparent(const QPixmap &picture)
{
    if (picture.isNull())
        return picture;
    // Buttons given the same picture share what is made of it.
    const QString key = QStringLiteral("brisquel/transparent/%1").arg(picture.cacheKey());
    QPixmap made;
    if (QPixmapCache::find(key, &made))
        return made;
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == (kTransparentCyan | 0xFF000000u))
                line[x] = 0;
        }
    }
    made = QPixmap::fromImage(image);
    made.setDevicePixelRatio(picture.devicePixelRatio());
    QPixmapCache::insert(key, made);
    return made;
}

void PictureButton::setPicture(const QPixmap &picture)
{
    m_picture = withCyanTransparent(picture);
    updateGeometry();
    update();
}

void PictureButton::setDownPicture(const QPixmap &picture)
{
    m_downPicture = withCyanTransparent(picture);
    update();
}

QSize PictureButton::sizeHint() const
{
    if (m_picture.isNull())
        return QPushButton::sizeHint();
    const QSize picture = m_picture.deviceIndependentSize().toSize();
    const QSize caption = text().isEmpty() ? QSize()
                                           : fontMetrics().size(Qt::TextShowMnemonic, text());
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize content(std::max(picture.width(), caption.width()),
                        picture.height() + (caption.isEmpty() ? 0 : kPictureGap + caption.height()));
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this);
}

void PictureButton::paintEvent(QPaintEvent *event)
{
    if (m_picture.isNull() && m_downPicture.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown() || isChecked())
        content.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));

    const QPixmap &shown = (isDown() && !m_downPicture.isNull()) ? m_downPicture : m_picture;
    const QSize pictureSize = shown.deviceIndependentSize().toSize();
    const int textHeight = caption.isEmpty() ? 0 : fontMetrics().height();
    const int gap = (pictureSize.height() > 0 && textHeight > 0) ? kPictureGap : 0;
    const int total = pictureSize.height() + gap + textHeight;
    const int top = content.top() + std::max(0, (content.height() - total) / 2);

    if (!shown.isNull()) {
        const QPixmap drawn = isEnabled() ? shown
                                          : QIcon(shown).pixmap(pictureSize, QIcon::Disabled);
        painter.drawPixmap(content.left() + (content.width() - pictureSize.width()) / 2, top,
                           drawn);
    }
    if (!caption.isEmpty()) {
        int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
            flags |= Qt::TextHideMnemonic;
        const QRect textRect(content.left(), top + pictureSize.height() + gap, content.width(),
                             textHeight);
        painter.drawItemText(textRect, flags, option.palette, isEnabled(), caption,
                             QPalette::ButtonText);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool PictureButton::event(QEvent *event)
{
    if (clickOnAccelerator(*this, event))
        return true;
    return QPushButton::event(event);
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    offerCharacterKey(*this, event, isSignalConnected(QMetaMethod::fromSignal(&PictureButton::characterKey)),
                      [this](int &code) { emit characterKey(code); },
                      [this, event] { QPushButton::keyPressEvent(event); },
                      AfterHandler::HandleIfFocusedOrEnter);
}

} // namespace brisquel
