#pragma once

#include <QByteArray>
#include <QImage>

// The picture as an SVG document of square pixels: each run of same-coloured
// pixels on a row is one rectangle, so a pixel drawing stays crisp at any size.
QByteArray pixelSvg(const QImage &image);
