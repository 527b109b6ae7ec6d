// Arbitrary bytes as the query form: read it, then select from a fixed
// catalogue with it and write the page, whose summary echoes the form.

#include <cstddef>
#include <cstdint>

#include "catalogue/catalogue.h"
#include "dump/show.h"
#include "fuzz_support.h"
#include "query/query_form.h"
#include "query/selection.h"
#include "report/results_page.h"

namespace {

// A failed conversion keeps the bound it had: start each form afresh.
void reset_query() {
  min_resolution = max_resolution = min_s_to_n = max_s_to_n = 0.0;
  min_z_abs = max_z_abs = min_rest_wv = max_rest_wv = 0.0;
  min_obs_wv = max_obs_wv = min_width = max_width = 0.0;
  min_col_dens = max_col_dens = 0.0;
  query_ion_name = string();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silence_standard_output();
  fuzz::set_table_style();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  reset_query();
  FILE* file = fuzz::stream_of(data, size);
  read_query_form(file);
  std::fclose(file);
  fuzz::check_text(query_ion_name);
  Show_query_parameters();
  fuzz::write_page(fuzz::fixed_catalogue());
  return 0;
}
