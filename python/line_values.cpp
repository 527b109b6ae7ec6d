#include "python/line_values.h"

#include "catalogue/symbols.h"

line_values::line_values(table& t, bool as_written) {
  using kind = column::kind;
  z_abs_ = &t.add("z_abs", kind::real);
  if (as_written) z_abs_written_ = &t.add("z_abs_written", kind::real);
  ion_ = &t.add("ion", kind::text);
  if (as_written) ion_written_ = &t.add("ion_written", kind::text);
  lambda_lab_ = &t.add("lambda_lab", kind::real);
  lambda_obs_ = &t.add("lambda_obs", kind::real);
  lambda_obs_err_ = &t.add("lambda_obs_err", kind::real);
  w_obs_ = &t.add("w_obs", kind::real);
  w_obs_err_ = &t.add("w_obs_err", kind::real);
  log_n_ = &t.add("log_n", kind::real);
}

void line_values::add(const record& line, row_symbols* symbols) {
  add_number(*z_abs_, line.cur_z_abs, symbols);
  if (z_abs_written_ != nullptr) {
    // Its symbol is the one in force, named once.
    z_abs_written_->add_real(line.z_abs, special_symbol_treatment(line.z_abs) != 0);
  }
  add_catalogue_text(*ion_, line.cur_ion_name.text);
  if (ion_written_ != nullptr) {
    // A name that begins with two blanks is no name: the one above holds.
    const char* written = line.ion_name.text;
    add_catalogue_text(*ion_written_, written, written[0] == ' ' && written[1] == ' ');
  }
  add_number(*lambda_lab_, line.rest_wv, symbols);
  add_number(*lambda_obs_, line.obs_wv, symbols);
  add_number(*lambda_obs_err_, line.obs_wv_err, symbols);
  add_width_field(*w_obs_, *log_n_, line.eq_width, symbols);
  add_number(*w_obs_err_, line.eq_width_err, symbols);
}
