#include "query/query_form.h"

#include <cstdio>

#include "catalogue/input.h"
#include "catalogue/messages.h"

double min_resolution = 0.0, max_resolution = 0.0;
double min_s_to_n = 0.0, max_s_to_n = 0.0;
double min_z_abs = 0.0, max_z_abs = 0.0;
string query_ion_name;
double min_rest_wv = 0.0, max_rest_wv = 0.0;
double min_obs_wv = 0.0, max_obs_wv = 0.0;
double min_width = 0.0, max_width = 0.0;
double min_col_dens = 0.0, max_col_dens = 0.0;

namespace {

double* const kBoundsBeforeName[] = {&min_resolution, &max_resolution,
                                     &min_s_to_n,     &max_s_to_n,
                                     &min_z_abs,      &max_z_abs};
double* const kBoundsAfterName[] = {&min_rest_wv, &max_rest_wv, &min_obs_wv,
                                    &max_obs_wv,  &min_width,   &max_width,
                                    &min_col_dens, &max_col_dens};

// One field: its '=', the number and, only after a number, white space.
void read_bound(FILE* file, double* bound) {
  descriptor_shift(file, '=');
  if (input::read_double(file, bound)) input::skip_white_space(file);
}

}  // namespace

void read_query_form(FILE* file) {
  for (double* bound : kBoundsBeforeName) read_bound(file, bound);
  descriptor_shift(file, '=');
  // The name is the rest of its line, blanks and carriage return included.
  query_ion_name.Read_string(file, '\n');
  for (double* bound : kBoundsAfterName) read_bound(file, bound);
}

int init_query_parameters() {
  FILE* file = input::open("absrp_query.frm");
  if (file == nullptr) {
    messages::say("error of opening file absrp_query.frm\n");
    return 0;
  }
  read_query_form(file);
  std::fclose(file);
  return 1;
}
