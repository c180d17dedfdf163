// Writes the program's icon as PNG files for the desktop menu and the
// package: <folder>/<size>x<size>/brisquel.png.
#include "ui/art/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s CARPETA\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QIcon icon = brisquel::art::windowIcon();
    for (const int size : {16, 32}) {
        const QString folder = QStringLiteral("%1x%1").arg(size);
        if (!root.mkpath(folder) || !icon.pixmap(size, size).save(root.filePath(folder + "/brisquel.png"))) {
            std::fprintf(stderr, "no se ha podido escribir el icono de %d px\n", size);
            return 1;
        }
    }
    return 0;
}
