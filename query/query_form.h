#ifndef CATALIX_QUERY_QUERY_FORM_H_
#define CATALIX_QUERY_QUERY_FORM_H_

// The query form absrp_query.frm: seven closed intervals and an ion name or
// system type, each value introduced by its own '='.

#include "catalogue/string.h"

extern double min_resolution, max_resolution;
extern double min_s_to_n, max_s_to_n;
extern double min_z_abs, max_z_abs;
extern string query_ion_name;  // a name beginning with "All" asks for every line
extern double min_rest_wv, max_rest_wv;
extern double min_obs_wv, max_obs_wv;
extern double min_width, max_width;
extern double min_col_dens, max_col_dens;

// Reads the form from `in` into the globals above.
void read_query_form(input::source& in);

// Reads absrp_query.frm.  Returns 1 when the form was opened, 0 (after its
// message on standard output) when it cannot be.
int init_query_parameters();

#endif  // CATALIX_QUERY_QUERY_FORM_H_
