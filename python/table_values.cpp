#include "python/table_values.h"

#include <cstring>
#include <limits>

#include "catalogue/symbols.h"
#include "catalogue/width_field.h"
#include "text/text_encoding.h"

void row_symbols::add(const char* column, double x) {
  if (special_symbol_treatment(x) < 2) return;
  if (!text_.empty()) text_ += ';';
  text_ += column;
  text_ += ':';
  // The page pads "+" with blanks; the tables do not.
  std::string_view text(symbol_text(x));
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  text_ += text;
}

void add_number(column& c, double x, row_symbols* symbols) {
  const bool missing = special_symbol_treatment(x) != 0;
  if (missing) symbols->add(c.name().c_str(), x);
  c.add_real(x, missing);
}

void add_width_field(column& w_obs, column& log_n, double eq_width, row_symbols* symbols) {
  if (width_field_kind(eq_width) == width_field::column_density) {
    w_obs.add_real(eq_width, true);
    log_n.add_real(log_n_as_written(eq_width), false);
    return;
  }
  add_number(w_obs, eq_width, symbols);
  log_n.add_real(std::numeric_limits<double>::quiet_NaN(), true);
}

void add_catalogue_text(column& c, const char* bytes, bool missing, char dropped) {
  // Mostly the bytes of the row before: the spectrum's names on its lines.
  std::string_view text(bytes);
  if (c.add_again(text, missing)) return;
  c.remember_source(text, missing);
  // Kept from call to call (the GIL lets one call in at a time).
  static std::string kept, clean;
  if (dropped != '\0' && text.find(dropped) != std::string_view::npos) {
    kept.clear();
    for (char b : text) {
      if (b != dropped) kept += b;
    }
    text = kept;
  }
  clean.clear();
  text_encoding::append_clean(&clean, text);
  c.add_text(clean, missing || clean.empty());
}
