#include "catalogue/arena.h"
#include "catalogue/catalogue.h"
#include "catalogue/input.h"

record_group::record_group() : first_selected(nullptr) {}

int record_group::Read_record_group(FILE* file) {
  // Each list carries its own redshift and name from line to line.
  double carried_z = kNotGiven;
  string carried_name("      ");
  first_record.Read_record(file, &carried_z, &carried_name);
  record* last = &first_record;
  for (;;) {
    const int c = input::peek(file);
    if (c == input::kEnd || c == '%' || c == '_') return 0;
    record* line = arena::make<record>();
    last->next = line;
    last = line;
    line->Read_record(file, &carried_z, &carried_name);
  }
}

sub_record::sub_record() : next(nullptr), next_selected(nullptr) {}

int sub_record::Read_sub_record(FILE* file) {
  sys_header.Read_header(file);
  input::skip(file, 1);  // the '%' that ends the header block
  input::skip_white_space(file);
  lines.Read_record_group(file);
  return 0;
}
