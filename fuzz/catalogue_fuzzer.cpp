// Arbitrary bytes as the catalogue: read, select with a query that lets
// everything through, write the page, the console dump and the line table.

#include <cstddef>
#include <cstdint>

#include "catalogue/catalogue.h"
#include "fuzz_support.h"
#include "query/selection.h"
#include "report/results_page.h"
#include "report/style.h"
#include "table/line_table.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silence_standard_output();
  fuzz::set_permissive_query();
  fuzz::set_table_style();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FILE* file = fuzz::stream_of(data, size);
  Read_Data_Base(file, [](QSO_spectrum&) {
    fuzz::check_catalogue_texts();
    Show_Data_Base();
  });
  fuzz::write_page(file);
  std::rewind(file);
  write_line_table(file, fuzz::page_sink(), size % 2 == 0 ? table_format::votable : table_format::csv);
  std::fclose(file);
  fuzz::reset_catalogue();
  return 0;
}
