#include "catalogue/arena.h"
#include "catalogue/catalogue.h"

using input::piece;

int header_record::Read_header_record(input::source& in) {
  in.read_double(&wv_min, piece::wv_min);
  in.skip(3, piece::range_separator);  // as in "3500 - 4200"
  in.read_double(&wv_max, piece::wv_max);
  descriptor_shift(in, '=', piece::equals_before_r);
  in.read_double(&resolution, piece::resolution);
  // The label before the fourth value says whether it is a minimum width.
  const long long label = in.offset();
  bool minimum_width = false;
  for (;;) {
    const int c = in.get();
    if (c == input::kEnd || c == '=') break;
    if (c == 'W' || c == 'w') minimum_width = true;
  }
  if (minimum_width) w_min_flag = 1;
  in.mark(piece::s_to_n_label, label, minimum_width ? 1 : 0);
  in.read_double(&s_to_n, piece::s_to_n);
  descriptor_shift(in, '$', piece::dollar_after_interval);
  return 0;
}

int header::Read_header(input::source& in) {
  const long long opening_at = in.offset();
  const int opening = in.get();
  in.mark(piece::header_open, opening_at);
  if (opening == '*') {
    notes.Read_string(in, '\n', piece::note_only);
    return 0;
  }
  first_entry.Read_header_record(in);
  descriptor_shift(in, '=', piece::equals_before_z_em);
  in.read_double(&z_em, piece::z_em);
  descriptor_shift(in, '$', piece::dollar_after_z_em);
  caption.Read_string(in, '\n', piece::caption);

  header_record* last_entry = &first_entry;
  string* last_note = &notes;
  int c = in.peek();
  while (c != '%' && c != input::kEnd) {
    if (c == '*') {
      // The '*' stays in the note's text here.
      last_note->Read_string(in, '\n', piece::note);
      // An empty node after each note, on purpose: stored pages and dumps show it as a row.
      last_note->next = arena::make<string>();
      last_note = last_note->next;
    } else {
      header_record* entry = arena::make<header_record>();
      last_entry->next = entry;
      last_entry = entry;
      entry->Read_header_record(in);
    }
    in.skip_white_space(piece::header_gap);
    c = in.peek();
  }
  return 0;
}
