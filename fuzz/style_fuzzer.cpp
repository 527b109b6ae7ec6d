// Arbitrary bytes as the style file: read it, then write the page of a fixed
// catalogue and query with it.

#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "query/selection.h"
#include "report/results_page.h"
#include "report/style.h"

namespace {

// A value that does not convert keeps the one it had: start from the defaults.
void reset_style() {
  border = width = height = 0;
  color_interchange = header_align = cell_align = '\0';
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silence_standard_output();
  fuzz::set_permissive_query();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  reset_style();
  FILE* file = fuzz::stream_of(data, size);
  read_style_settings(file);
  std::fclose(file);
  fuzz::write_page(fuzz::fixed_catalogue());
  return 0;
}
