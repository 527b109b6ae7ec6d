#include "query/query_form.h"

#include <cstdio>

#include "catalogue/messages.h"
#include "query/field_table.h"

double min_resolution = 0.0, max_resolution = 0.0;
double min_s_to_n = 0.0, max_s_to_n = 0.0;
double min_z_abs = 0.0, max_z_abs = 0.0;
string query_ion_name;
double min_rest_wv = 0.0, max_rest_wv = 0.0;
double min_obs_wv = 0.0, max_obs_wv = 0.0;
double min_width = 0.0, max_width = 0.0;
double min_col_dens = 0.0, max_col_dens = 0.0;

namespace {

// One field: its '=', the number and, only after a number, white space.
void read_bound(input::source& in, double* bound) {
  descriptor_shift(in, '=');
  if (in.read_double(bound)) in.skip_white_space();
}

}  // namespace

void read_query_form(input::source& in) {
  for (const query_field& field : kQueryField) {
    if (field.bound != nullptr) {
      read_bound(in, field.bound);
      continue;
    }
    descriptor_shift(in, '=');
    // The name is the rest of its line, blanks and carriage return included.
    query_ion_name.Read_string(in, '\n');
  }
}

int init_query_parameters() {
  input::source form("absrp_query.frm");
  if (!form.is_open()) {
    messages::say("error of opening file absrp_query.frm\n");
    return 0;
  }
  read_query_form(form);
  return 1;
}
