#include "catalogue/catalogue.h"
#include "catalogue/symbols.h"

using input::piece;

int record::Read_record(input::source& in, double* carried_z, string* carried_name) {
  if (in.peek() == ' ') {
    // No redshift of its own: columns 2 to 9 are not looked at.
    in.skip(9, piece::blank_redshift);
  } else {
    in.read_double(&z_abs, piece::z_abs);
    cur_z_abs = z_abs;
    *carried_z = z_abs;
    if (is_marker(z_abs)) {
      // A marker line carries nothing else.
      in.skip_white_space(piece::marker_gap);
      return 0;
    }
    descriptor_shift(in, '$', piece::dollar_after_z);
  }
  if (z_abs == kNotGiven) cur_z_abs = *carried_z;

  ion_name.Read_string4(in, '{', ':', 10, piece::ion_name);
  if (ion_name.text[0] == ' ' && ion_name.text[1] == ' ') {
    cur_ion_name.copy_text(*carried_name);
  } else {
    cur_ion_name.copy_text(ion_name);
    carried_name->copy_text(ion_name);
  }

  switch (ion_name.text[0]) {
    case 'D':
      return Read_DLA_record(in);
    case 'B':
    case 'L':
    case 't':
      return Read_BAL_record(in);
    default:
      return Read_Usl_record(in);
  }
}

int record::Read_Usl_record(input::source& in) {
  in.read_double(&rest_wv, piece::rest_wv);
  in.skip(1, piece::brace);
  in.read_double(&obs_wv, piece::obs_wv);
  if (!is_marker(obs_wv)) {
    in.read_double(&obs_wv_err, piece::obs_wv_err);
    in.read_double(&eq_width, piece::eq_width);
    in.read_double(&eq_width_err, piece::eq_width_err);
  }
  remark.Read_string(in, '\n', piece::remark);
  return 0;
}

int record::Read_DLA_record(input::source& in) {
  in.skip(2, piece::dla_gap);
  const long long blanks = in.offset();
  while (in.peek() == ' ') in.get();
  in.mark(piece::dla_blanks, blanks);
  in.read_double(&eq_width, piece::eq_width);
  remark.Read_string(in, '\n', piece::remark);
  return 0;
}

int record::Read_BAL_record(input::source& in) {
  remark.Read_string(in, '\n', piece::remark);
  return 0;
}
