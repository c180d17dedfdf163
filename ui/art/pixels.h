#pragma once

#include <QColor>
#include <QImage>

#include <initializer_list>
#include <string_view>

// Palette and pixel clean-up shared by the picture painters.
namespace brisquel::art::detail {

// House colours.
inline constexpr QRgb kDeepBlue = qRgb(16, 38, 98);
inline constexpr QRgb kTeal = qRgb(0, 128, 140);
inline constexpr QRgb kPaleTeal = qRgb(206, 234, 238);
inline constexpr QRgb kWhite = qRgb(255, 255, 255);

// The colour the buttons treat as "not there".
inline constexpr QRgb kButtonKey = qRgb(0, 255, 255);

// The sixteen classic colours, for the icons.
namespace vga {
inline constexpr QRgb kBlack = qRgb(0, 0, 0);
inline constexpr QRgb kNavy = qRgb(0, 0, 128);
inline constexpr QRgb kTeal = qRgb(0, 128, 128);
inline constexpr QRgb kGrey = qRgb(128, 128, 128);
inline constexpr QRgb kSilver = qRgb(192, 192, 192);
inline constexpr QRgb kBlue = qRgb(0, 0, 255);
inline constexpr QRgb kAqua = qRgb(0, 255, 255);
inline constexpr QRgb kWhite = qRgb(255, 255, 255);
} // namespace vga

// Builds a small picture from rows of letters, one letter a pixel:
// '.' transparent, 'k' black, 'n' navy, 't' teal, 'b' blue, 'g' grey,
// 's' silver, 'a' aqua, 'w' white. Short rows are padded with transparency.
QImage fromPixelRows(std::initializer_list<std::string_view> rows);

// A fully transparent ARGB canvas to paint on.
QImage blankCanvas(int width, int height);

// Snaps every pixel to the nearest of the sixteen classic colours, and every
// half-covered pixel to fully opaque or fully transparent, as an old icon was.
QImage toSixteenColours(const QImage &painted);

// Flattens a painted image for a button: half-covered pixels become opaque,
// the rest become the cyan key. A painted pixel that happens to be pure cyan
// is nudged off it so the button does not punch a hole there.
QImage toButtonPicture(const QImage &painted);

} // namespace brisquel::art::detail
