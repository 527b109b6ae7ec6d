#include "report/symbols.h"

string special_symbol_conversion(double x) { return string(symbol_text(x)); }
