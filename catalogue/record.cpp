#include "catalogue/catalogue.h"
#include "catalogue/input.h"
#include "catalogue/symbols.h"

record::record()
    : z_abs(kNotGiven),
      cur_z_abs(kNotGiven),
      rest_wv(kNotGiven),
      obs_wv(kNotGiven),
      obs_wv_err(kNotGiven),
      eq_width(kNotGiven),
      eq_width_err(kNotGiven),
      next(nullptr),
      prev_selected(nullptr),
      next_selected(nullptr),
      selected(0) {}

int record::Read_record(FILE* file, double* carried_z, string* carried_name) {
  if (input::peek(file) == ' ') {
    // No redshift of its own: columns 2 to 9 are not looked at.
    input::skip(file, 9);
  } else {
    const int after = input::read_double_from(file, input::kEnd, &z_abs);
    cur_z_abs = z_abs;
    *carried_z = z_abs;
    if (is_marker(z_abs)) {
      // A marker line carries nothing else.
      input::skip_white_space_from(file, after);
      return 0;
    }
    descriptor_shift(file, '$', after);
  }
  if (z_abs == kNotGiven) cur_z_abs = *carried_z;

  ion_name.Read_string4(file, '{', ':', 10);
  if (ion_name.text[0] == ' ' && ion_name.text[1] == ' ') {
    cur_ion_name.copy_text(*carried_name);
  } else {
    cur_ion_name.copy_text(ion_name);
    carried_name->copy_text(ion_name);
  }

  switch (ion_name.text[0]) {
    case 'D':
      return Read_DLA_record(file);
    case 'B':
    case 'L':
    case 't':
      return Read_BAL_record(file);
    default:
      return Read_Usl_record(file);
  }
}

int record::Read_Usl_record(FILE* file) {
  // The numbers are read as a chain (input::next_char).
  int c = input::read_double_from(file, input::kEnd, &rest_wv);
  input::next_char(file, c);  // the closing brace
  c = input::read_double_from(file, input::kEnd, &obs_wv);
  if (!is_marker(obs_wv)) {
    c = input::read_double_from(file, c, &obs_wv_err);
    c = input::read_double_from(file, c, &eq_width);
    c = input::read_double_from(file, c, &eq_width_err);
  }
  remark.Read_string_from(file, c, '\n');
  return 0;
}

int record::Read_DLA_record(FILE* file) {
  input::skip(file, 2);
  int c;
  do {
    c = input::read_char(file);
  } while (c == ' ');
  c = input::read_double_from(file, c, &eq_width);
  remark.Read_string_from(file, c, '\n');
  return 0;
}

int record::Read_BAL_record(FILE* file) {
  remark.Read_string(file, '\n');
  return 0;
}
