#ifndef CATALIX_REPORT_SYMBOLS_H_
#define CATALIX_REPORT_SYMBOLS_H_

// How the page shows the catalogue's reserved numbers.

#include "catalogue/string.h"
#include "catalogue/symbols.h"

// symbol_text(x) as a text field, as the page's writers take it.
string special_symbol_conversion(double x);

#endif  // CATALIX_REPORT_SYMBOLS_H_
