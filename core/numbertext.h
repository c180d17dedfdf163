#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace brisquel {

// How numbers look in the settings file and in captions: one blank before a
// value of zero or more, "-" before a negative one, "." as the decimal point
// whatever the locale, no "." for whole numbers.
QString numberText(double value); // up to 15 significant digits
QString numberText(float value);  // up to 7 significant digits
QString numberText(qint32 value); // every digit

// Reads a number the forgiving way the settings file needs: blanks, tabs and
// line feeds are skipped wherever they stand ("1 2" is 12), then an optional
// sign, digits, an optional "." with digits and an optional exponent (E or e,
// optional sign, digits). Reading stops at the first character that cannot
// continue the number; no number at all gives 0. Too large gives +-infinity.
double readNumber(QStringView text);

// The nearest 32-bit integer, halves going to the even neighbour; nothing when
// the value does not fit (or is not a number).
std::optional<qint32> roundToLong(double value);

} // namespace brisquel
