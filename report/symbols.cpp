#include "report/symbols.h"

#include <cmath>

int special_symbol_treatment(double x) {
  if (std::fabs(x + 1.0) <= 0.1) return 1;
  if (x == kSymbolPlus) return 2;
  if (x == kSymbolNotDetected) return 3;
  if (x == kSymbolNoLineList) return 4;
  if (x == kSymbolOnlyGalactic) return 5;
  if (x == kSymbolNoLine) return 6;
  return 0;
}

string special_symbol_conversion(double x) {
  if (x == kSymbolPlus) return string(" + ");
  if (x == kSymbolNotDetected) return string("nd");
  if (x == kSymbolNoLineList) return string("no line list");
  if (x == kSymbolOnlyGalactic) return string("only Galactic interstellar lines");
  if (x == kSymbolNoLine) return string("no line");
  return string(" ");
}
