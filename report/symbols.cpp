#include "report/symbols.h"

string special_symbol_conversion(double x) {
  if (x == kSymbolPlus) return string(" + ");
  if (x == kSymbolNotDetected) return string("nd");
  if (x == kSymbolNoLineList) return string("no line list");
  if (x == kSymbolOnlyGalactic) return string("only Galactic interstellar lines");
  if (x == kSymbolNoLine) return string("no line");
  return string(" ");
}
