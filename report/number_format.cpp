#include "report/number_format.h"

#include "report/output.h"

#include "report/printf_number.h"
#include "report/symbols.h"

void write_table_number(FILE* out, double x) {
  printf_number::write_general(out, x, 12, 10);
}

void write_rendered(FILE* out, double x) {
  if (special_symbol_treatment(x) != 0) {
    output::put(out, special_symbol_conversion(x).text);
  } else {
    write_table_number(out, x);
  }
}

void write_bound(FILE* out, double x) {
  printf_number::write_general(out, x, 10, 9);
}

void write_count(FILE* out, int n) {
  printf_number::write_signed_decimal(out, n, 6, 1);
}

void write_size(FILE* out, int n) {
  printf_number::write_unsigned_decimal(out, static_cast<unsigned int>(n), 2,
                                        2);
}
