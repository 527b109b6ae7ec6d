#ifndef CATALIX_PYTHON_TABLE_VALUES_H_
#define CATALIX_PYTHON_TABLE_VALUES_H_

// The catalogue's numbers and texts as the tables give them, by the rules
// of catalix-table: a number not given (within 0.1 of -1) or a reserved
// number is missing, and a reserved one is named in its row's symbols as
// "column:symbol"; a width field holds a width or 100000 + log N; texts are
// made UTF-8 by the tables' encoding rule.  A missing number keeps its
// value as read, so that the value is still there under a mask.

#include <string>
#include <string_view>

#include "python/column.h"

// The symbols of one row: "column:symbol" for each, separated by ';'.
class row_symbols {
 public:
  void clear() { text_.clear(); }
  // Names x under `column` when x is a reserved number (not -1).
  void add(const char* column, double x);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Adds x to `c` (named `c.name()` among the symbols).
void add_number(column& c, double x, row_symbols* symbols);

// Adds a width field: to `w_obs` as a number, or, where it holds a column
// density, missing there and log N to `log_n`.  log N is missing (NaN)
// where the field holds none.
void add_width_field(column& w_obs, column& log_n, double eq_width, row_symbols* symbols);

// Adds the bytes of a catalogue text up to its NUL, cleaned to UTF-8 and
// without `dropped` (the remark's '$'; 0 drops nothing).  Missing when
// empty, or when `missing`.
void add_catalogue_text(column& c, const char* bytes, bool missing = false, char dropped = '\0');

#endif  // CATALIX_PYTHON_TABLE_VALUES_H_
