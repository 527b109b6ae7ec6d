#include "report/number_format.h"

#include "report/symbols.h"

void write_table_number(FILE* out, double x) { std::fprintf(out, "%-12.10g", x); }

void write_rendered(FILE* out, double x) {
  if (special_symbol_treatment(x) != 0) {
    std::fputs(special_symbol_conversion(x).text, out);
  } else {
    write_table_number(out, x);
  }
}

void write_bound(FILE* out, double x) { std::fprintf(out, "%-10.9g", x); }

void write_count(FILE* out, int n) { std::fprintf(out, "%-6.1i", n); }

void write_size(FILE* out, int n) {
  std::fprintf(out, "%-2.2u", static_cast<unsigned int>(n));
}
