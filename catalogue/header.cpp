#include "catalogue/arena.h"
#include "catalogue/catalogue.h"
#include "catalogue/input.h"

header_record::header_record()
    : wv_min(kNotGiven),
      wv_max(kNotGiven),
      resolution(kNotGiven),
      s_to_n(kNotGiven),
      w_min_flag(0),
      next(nullptr),
      next_selected(nullptr),
      selected(0) {}

int header_record::Read_header_record(FILE* file) {
  input::read_double(file, &wv_min);
  input::skip(file, 3);  // the separator, as in "3500 - 4200"
  input::read_double(file, &wv_max);
  descriptor_shift(file, '=');
  input::read_double(file, &resolution);
  // The label before the fourth value says whether it is a minimum width.
  for (;;) {
    const int c = input::read_char(file);
    if (c == input::kEnd || c == '=') break;
    if (c == 'W' || c == 'w') w_min_flag = 1;
  }
  input::read_double(file, &s_to_n);
  descriptor_shift(file, '$');
  return 0;
}

header::header() : first_selected(nullptr), z_em(kNotGiven) {}

int header::Read_header(FILE* file) {
  const int opening = input::read_char(file);
  if (opening == '*') {
    notes.Read_string(file, '\n');
    return 0;
  }
  first_entry.Read_header_record(file);
  descriptor_shift(file, '=');
  input::read_double(file, &z_em);
  descriptor_shift(file, '$');
  caption.Read_string(file, '\n');

  header_record* last_entry = &first_entry;
  string* last_note = &notes;
  int c = input::peek(file);
  while (c != '%' && c != input::kEnd) {
    if (c == '*') {
      // The '*' stays in the note's text here.
      last_note->Read_string(file, '\n');
      last_note->next = arena::make<string>();
      last_note = last_note->next;
    } else {
      header_record* entry = arena::make<header_record>();
      last_entry->next = entry;
      last_entry = entry;
      entry->Read_header_record(file);
    }
    input::skip_white_space(file);
    c = input::peek(file);
  }
  return 0;
}
