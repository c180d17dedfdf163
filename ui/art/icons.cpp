// The two mode icons and the program icon, in the look of a sixteen-colour
// icon: hard edges, classic colours, every size drawn on its own grid.
#include "pictures.h"

#include "pixels.h"

#include <QPainter>
#include <QPainterPath>

namespace brisquel::art {

using namespace detail;

namespace {

constexpr int kLarge = 32;
constexpr int kSmall = 16;

struct Figure {
    double centreX;
    double top;
    double scale;
    QRgb shirt;
};

// A head with dark hair over a pair of shoulders, outlined in black; one unit
// is one pixel of the 32-pixel icon.
void paintPerson(QPainter &p, const Figure &f)
{
    const double s = f.scale;
    const double cx = f.centreX;
    const QPen outline(QColor(vga::kBlack), 0);

    QPainterPath body;
    const double left = cx - 9.5 * s;
    const double right = cx + 9.5 * s;
    const double shoulders = f.top + 11.5 * s;
    const double bottom = f.top + 26.0 * s;
    const double round = 6.0 * s;
    body.moveTo(left, bottom);
    body.lineTo(left, shoulders + round);
    body.quadTo(left, shoulders, left + round, shoulders);
    body.lineTo(right - round, shoulders);
    body.quadTo(right, shoulders, right, shoulders + round);
    body.lineTo(right, bottom);
    body.closeSubpath();
    p.setPen(outline);
    p.setBrush(QColor(f.shirt));
    p.drawPath(body);

    QPainterPath head;
    head.addEllipse(QPointF(cx, f.top + 5.5 * s), 4.8 * s, 5.2 * s);
    QPainterPath crown;
    crown.addRect(QRectF(cx - 6 * s, f.top - s, 12 * s, 5.0 * s));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(vga::kWhite));
    p.drawPath(head);
    p.setBrush(QColor(vga::kNavy));
    p.drawPath(head.intersected(crown));
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
}

QImage paintPeople(bool several)
{
    QImage image = blankCanvas(kLarge, kLarge);
    QPainter p(&image);
    if (several) {
        paintPerson(p, {8.5, 1.0, 0.72, vga::kTeal});
        paintPerson(p, {23.5, 1.0, 0.72, vga::kTeal});
        paintPerson(p, {16.0, 7.0, 0.95, vga::kBlue});
    } else {
        paintPerson(p, {16.0, 2.0, 1.15, vga::kBlue});
    }
    p.end();
    return toSixteenColours(image);
}

// At 16 pixels the figures are set pixel by pixel; scaled down they smudge.
QImage smallPeople(bool several)
{
    if (several) {
        return fromPixelRows({
            ".kkk........kkk.",
            "knnnk......knnnk",
            "kwwwk......kwwwk",
            "kwwwk.kkkk.kwwwk",
            ".kkk.knnnnk.kkk.",
            "kkkkkkwwwwkkkkkk",
            "kttttkwwwwkttttk",
            "kttttkwwwwkttttk",
            "ktttttkkkktttttk",
            "ktttkkkkkkkktttk",
            "kttkbbbbbbbbkttk",
            "kttkbbbbbbbbkttk",
            "kttkbbbbbbbbkttk",
            "kttkbbbbbbbbkttk",
            "kttkbbbbbbbbkttk",
            "kkkkkkkkkkkkkkkk",
        });
    }
    return fromPixelRows({
        "................",
        "......kkkk......",
        ".....knnnnk.....",
        "....knnnnnnk....",
        "....kwwwwwwk....",
        "....kwwwwwwk....",
        "....kwwwwwwk....",
        ".....kwwwwk.....",
        "......kkkk......",
        "...kkkkkkkkkk...",
        "..kbbbbbbbbbbk..",
        ".kbbbbbbbbbbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kkkkkkkkkkkkkk.",
    });
}

QIcon peopleIcon(bool several)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(paintPeople(several)));
    icon.addPixmap(QPixmap::fromImage(smallPeople(several)));
    return icon;
}

QImage paintWindowIcon(int size)
{
    QImage image = blankCanvas(size, size);
    QPainter p(&image);
    const bool large = size == kLarge;
    p.setPen(QPen(QColor(vga::kBlack), 0));

    // Envelope, lower left.
    const QRect envelope = large ? QRect(1, 12, 24, 17) : QRect(0, 6, 12, 9);
    p.setBrush(QColor(vga::kWhite));
    p.drawRect(envelope);
    p.setPen(QColor(vga::kNavy));
    const QPoint fold(envelope.center().x(), envelope.top() + envelope.height() * 5 / 8);
    p.drawLine(envelope.topLeft() + QPoint(1, 1), fold);
    p.drawLine(envelope.topRight() + QPoint(-1, 1), fold + QPoint(1, 0));

    // Speech bubble, upper right, with a tail reaching down to the envelope.
    const QRect bubble = large ? QRect(13, 1, 18, 15) : QRect(7, 0, 8, 7);
    QPainterPath tail;
    if (large) {
        tail.moveTo(17, 13);
        tail.lineTo(15, 19);
        tail.lineTo(22, 14);
    } else {
        tail.moveTo(9, 6);
        tail.lineTo(8, 9);
        tail.lineTo(12, 6);
    }
    QPainterPath shape;
    shape.addEllipse(bubble);
    shape = shape.united(tail);
    p.setPen(QPen(QColor(vga::kBlack), 0));
    p.setBrush(QColor(vga::kTeal));
    p.drawPath(shape);

    if (large) {
        // Set by hand rather than taken from a font, so it looks the same
        // wherever the program runs.
        static const QImage eszett = fromPixelRows({
            "..wwww..",
            ".ww..ww.",
            ".ww..ww.",
            ".ww.ww..",
            ".ww.www.",
            ".ww...ww",
            ".ww...ww",
            ".ww...ww",
            ".ww.www.",
            ".ww.....",
            ".ww.....",
        });
        p.drawImage(QPoint(18, 3), eszett);
    } else {
        // Too small for a letter: three dots of speech.
        p.setPen(QColor(vga::kWhite));
        p.drawPoint(9, 3);
        p.drawPoint(11, 3);
        p.drawPoint(13, 3);
    }
    p.end();
    return toSixteenColours(image);
}

} // namespace

QIcon groupModeIcon()
{
    return peopleIcon(true);
}

QIcon userModeIcon()
{
    return peopleIcon(false);
}

QIcon windowIcon()
{
    // Painted once: the program and each of its windows carry it.
    static const QImage large = paintWindowIcon(kLarge);
    static const QImage small = paintWindowIcon(kSmall);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(large));
    icon.addPixmap(QPixmap::fromImage(small));
    return icon;
}

} // namespace brisquel::art
