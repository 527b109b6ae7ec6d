// The tests of one line and of one observed interval against the query.

#include <cstring>

#include "catalogue/catalogue.h"
#include "query/query_form.h"
#include "catalogue/symbols.h"
#include "catalogue/width_field.h"

namespace {

int inside(double x, double lo, double hi) { return lo <= x && x <= hi ? 1 : 0; }

// An absent value or a symbol never excludes a line.
int factor(double x, double lo, double hi) {
  return inside(x, lo, hi) + special_symbol_treatment(x);
}

bool is_end_character(char c) { return c == '\0' || c == ' ' || c == '\n'; }

}  // namespace

int record::characteristic() {
  // A product of factors that have no side effects: once one is 0, the
  // others need not be worked out.
  selected = factor(cur_z_abs, min_z_abs, max_z_abs);
  if (selected != 0) selected *= ion_name_comparison();
  if (selected != 0) selected *= factor(rest_wv, min_rest_wv, max_rest_wv);
  if (selected != 0) selected *= factor(obs_wv, min_obs_wv, max_obs_wv);
  if (selected != 0) {
    selected *= eq_width_and_column_comparison() + special_symbol_treatment(eq_width);
  }
  return selected;
}

// At most seven positions are compared; the query's last character is not
// compared but must stand where the line's name ends.  Kept on purpose:
// stored forms and the pages made from them rely on this rule.
int record::ion_name_comparison() const {
  const char* query = query_ion_name.text;
  const char* line = cur_ion_name.text;
  // Positions of the query past its end read as NUL.
  const std::size_t query_length = strnlen(query, string::kCapacity);
  auto q = [&](int i) -> char {
    return static_cast<std::size_t>(i) < query_length ? query[i] : '\0';
  };

  int result = 1;
  int j = 0;
  for (;;) {
    if (line[j] != q(j)) result = 0;
    const int n = j + 1;
    bool last = n == 7;
    if (q(n + 1) == '\0') {
      if (!is_end_character(line[n])) result = 0;
      last = true;
    }
    if (line[n] == '\0') {
      if (!is_end_character(q(n))) result = 0;
      break;
    }
    if (last) break;
    j = n;
  }
  if (result == 0 && std::strncmp(query, "All", 3) == 0) result = 1;
  return result;
}

// The width bounds hold for all below 1000, -1 and the symbols too; their
// symbol code is added after.
int record::eq_width_and_column_comparison() const {
  switch (width_field_kind(eq_width)) {
    case width_field::column_density:
      return inside(log_n_computed(eq_width), min_col_dens, max_col_dens);
    case width_field::neither:
      return 1;
    default:
      return inside(eq_width, min_width, max_width);
  }
}

// Unlike the line test, the lower bounds always apply here: a symbol lifts
// only the upper bound.
int header_record::characteristic() {
  int resolution_flag = 0;
  if (resolution >= min_resolution) {
    resolution_flag = resolution <= max_resolution ||
                      special_symbol_treatment(resolution) != 0;
  }
  int s_to_n_flag = 0;
  if (s_to_n >= min_s_to_n) {
    s_to_n_flag = s_to_n <= max_s_to_n ||
                  special_symbol_treatment(s_to_n) != 0 || w_min_flag != 0;
  }
  selected = resolution_flag * s_to_n_flag;
  return selected;
}
