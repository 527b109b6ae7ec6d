#ifndef CATALIX_CATALOGUE_SYMBOLS_H_
#define CATALIX_CATALOGUE_SYMBOLS_H_

// Reserved numbers of the catalogue that stand for a symbol, not a quantity.

#include <cmath>

const double kSymbolPlus = 1e-16;
const double kSymbolNotDetected = 1e-20;
const double kSymbolNoLineList = 1e-40;
const double kSymbolOnlyGalactic = 1e-60;
const double kSymbolNoLine = 1e-80;

// 0 ordinary, 1 within 0.1 of -1 (not given), 2..6 the five symbols above.
// Inline: every number of every line is classified, often more than once.
inline int special_symbol_treatment(double x) {
  if (x > 0.0 && x <= kSymbolPlus) {
    if (x == kSymbolPlus) return 2;
    if (x == kSymbolNotDetected) return 3;
    if (x == kSymbolNoLineList) return 4;
    if (x == kSymbolOnlyGalactic) return 5;
    if (x == kSymbolNoLine) return 6;
    return 0;
  }
  return std::fabs(x + 1.0) <= 0.1 ? 1 : 0;
}

// The text that stands for a symbol on the page and in the tables; one
// blank for any other number, -1 and its band included.
inline const char* symbol_text(double x) {
  if (x == kSymbolPlus) return " + ";
  if (x == kSymbolNotDetected) return "nd";
  if (x == kSymbolNoLineList) return "no line list";
  if (x == kSymbolOnlyGalactic) return "only Galactic interstellar lines";
  if (x == kSymbolNoLine) return "no line";
  return " ";
}

// A width field of kColumnDensityStart or more holds a column density as
// kColumnDensityBase + log N (N in cm^-2); from kWidthEnd up to there it is
// neither a width nor a column density.
const double kColumnDensityBase = 100000.0;
const double kColumnDensityStart = 99990.0;
const double kWidthEnd = 1000.0;

// Codes above 3 mark a line without measurements.
inline bool is_marker(double x) { return special_symbol_treatment(x) > 3; }

#endif  // CATALIX_CATALOGUE_SYMBOLS_H_
