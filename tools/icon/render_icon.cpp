// Writes the program's icon for the desktop menu and the package, in the
// layout of an icon theme: <folder>/<size>x<size>/brisquel.png for every
// size a desktop asks for, and <folder>/scalable/brisquel.svg.
#include "pixelsvg.h"
#include "ui/art/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

namespace {

// The icon is drawn for 16 and 32 pixels. Larger sizes enlarge the 32-pixel
// drawing: by whole pixels where the size allows it, so the pixel art stays
// sharp; 48 is one and a half times and has to be smoothed.
QImage iconAt(const QIcon &icon, int size)
{
    if (size <= 32)
        return icon.pixmap(size, size).toImage();
    const QImage drawn = icon.pixmap(32, 32).toImage();
    const Qt::TransformationMode mode = size % 32 == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
    return drawn.scaled(size, size, Qt::IgnoreAspectRatio, mode);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s CARPETA\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QIcon icon = brisquel::art::windowIcon();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1").arg(size);
        if (!root.mkpath(folder) || !iconAt(icon, size).save(root.filePath(folder + "/brisquel.png"))) {
            std::fprintf(stderr, "no se ha podido escribir el icono de %d px\n", size);
            return 1;
        }
    }
    if (!root.mkpath(QStringLiteral("scalable"))
        || !writeFile(root.filePath(QStringLiteral("scalable/brisquel.svg")),
                      pixelSvg(icon.pixmap(32, 32).toImage()))) {
        std::fprintf(stderr, "no se ha podido escribir el icono escalable\n");
        return 1;
    }
    return 0;
}
