// The icon files the desktop menu and the package take: every size drawn at
// that size from the vector picture, not a small pixel drawing enlarged.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

const QDir kIcons(QStringLiteral(BRISQUEL_ICON_DIR));

// Share of k x k blocks, aligned on k, whose pixels are not all alike. A
// picture enlarged k times by whole pixels has none.
double shareOfDetailedBlocks(const QImage &image, int k)
{
    int detailed = 0;
    int blocks = 0;
    for (int y = 0; y < image.height(); y += k) {
        for (int x = 0; x < image.width(); x += k) {
            ++blocks;
            const QRgb first = image.pixel(x, y);
            bool alike = true;
            for (int dy = 0; dy < k && alike; ++dy)
                for (int dx = 0; dx < k && alike; ++dx)
                    alike = image.pixel(x + dx, y + dy) == first;
            detailed += alike ? 0 : 1;
        }
    }
    return double(detailed) / blocks;
}

} // namespace

class IconFiles : public QObject {
    Q_OBJECT
private slots:
    void eachSizeIsItsOwnPicture_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 48, 64, 128, 256})
            QTest::addRow("%d px", size) << size;
    }

    void eachSizeIsItsOwnPicture()
    {
        QFETCH(int, size);
        const QImage image(kIcons.filePath(QStringLiteral("%1x%1/brisquel.png").arg(size)));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);

        int opaque = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        QVERIFY2(opaque > size * size / 3, "the picture fills the icon");

        // Smooth edges: pixels between the outline and the fill, which an
        // enlarged 32-pixel drawing (exact copies of its pixels, or a blur
        // of them) does not have at the block level.
        for (const int k : {2, 3, 4, 8}) {
            if (size % k == 0 && size >= 32 * k) {
                QVERIFY2(shareOfDetailedBlocks(image, k) > 0.2,
                         qPrintable(QStringLiteral("%1 px: drawn in blocks of %2").arg(size).arg(k)));
            }
        }
    }

    void theScalableIconIsAVectorDrawing()
    {
        QFile svg(kIcons.filePath(QStringLiteral("scalable/brisquel.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray text = svg.readAll();
        // A handful of shapes, not a rectangle for every run of pixels.
        const qsizetype shapes = text.count("<rect") + text.count("<path") + text.count("<ellipse")
            + text.count("<circle");
        QVERIFY2(shapes > 0 && shapes < 30, qPrintable(QStringLiteral("%1 shapes").arg(shapes)));
    }
};

QTEST_GUILESS_MAIN(IconFiles)
#include "tst_iconfiles.moc"
