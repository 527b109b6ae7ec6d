#ifndef CATALIX_CATALOGUE_WIDTH_FIELD_H_
#define CATALIX_CATALOGUE_WIDTH_FIELD_H_

// What a line's width field (record::eq_width) holds.  The one field
// carries an equivalent width or a column density, told apart by size (the
// bounds are in catalogue/symbols.h), a symbol, or -1 for nothing.  The
// query, the page, the tables and the checker all decide it here.

#include "catalogue/symbols.h"

enum class width_field {
  not_given,       // within 0.1 of -1 (symbol code 1)
  symbol,          // one of the five symbol values (codes 2 to 6)
  width,           // an equivalent width in Angstrom: below 1000
  neither,         // from 1000 up to 99990, and NaN: tested against nothing
  column_density,  // 99990 or more: 100000 + log N (N in cm^-2)
};

// Which of the above `x` is.  -1's band and the symbols lie below 1000 too,
// so a test of widths that takes all below 1000 takes them as well.
inline width_field width_field_kind(double x) {
  const int code = special_symbol_treatment(x);
  if (code == 1) return width_field::not_given;
  if (code != 0) return width_field::symbol;
  if (x >= kColumnDensityStart) return width_field::column_density;
  if (x < kWidthEnd) return width_field::width;
  return width_field::neither;
}

// log N of a column density field as the page shows it and the query
// tests it: x - 100000 in doubles (100021.8 gives 21.80000000000291).
inline double log_n_computed(double x) { return x - kColumnDensityBase; }

// log N as the field is written, for the tables: the subtraction done on
// the field's shortest decimal digits, so 100021.8 gives 21.8.  From 1e15
// on, where no fraction is left, it is log_n_computed(x).
double log_n_as_written(double x);

#endif  // CATALIX_CATALOGUE_WIDTH_FIELD_H_
