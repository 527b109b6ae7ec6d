#include "catalogue/arena.h"
#include "catalogue/catalogue.h"

int record_group::Read_record_group(input::source& in) {
  // Each list carries its own redshift and name from line to line.
  double carried_z = kNotGiven;
  string carried_name("      ");
  first_record.Read_record(in, &carried_z, &carried_name);
  record* last = &first_record;
  for (;;) {
    const int c = in.peek();
    if (c == input::kEnd || c == '%' || c == '_') return 0;
    record* line = arena::make<record>();
    last->next = line;
    last = line;
    line->Read_record(in, &carried_z, &carried_name);
  }
}

int sub_record::Read_sub_record(input::source& in) {
  sys_header.Read_header(in);
  in.skip(1, input::piece::header_close);  // the '%' that ends the header block
  in.skip_white_space(input::piece::list_gap);
  lines.Read_record_group(in);
  return 0;
}
