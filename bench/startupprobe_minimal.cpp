// The yardstick for bench_startup: the least a Qt Widgets program does to
// show one window of the main window's size. With the argument "text" the
// window is a label with one line of text, so the fonts are loaded too.
#include "startupprobe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    StartupReporter reporter(STARTUP_SETTLE_MS);
    const bool withText = argc > 1 && std::strcmp(argv[1], "text") == 0;
    std::unique_ptr<QWidget> window = withText ? std::make_unique<QLabel>(QStringLiteral("Hola, ¿qué tal?"))
                                               : std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("Brisquel v2.4b"));
    window->resize(387, 287); // 5805 by 4305 twips at 15 twips to a pixel
    window->show();
    return app.exec();
}
