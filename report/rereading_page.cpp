#include "report/rereading_page.h"

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "report/output.h"
#include "query/selection.h"
#include "report/results_page.h"

void rereading_page::select() {
  start_result_list();
  selected_starts_.clear();
  catalogue_reader reader(catalogue_);
  while (reader.next()) {
    result_list_generator();
    if (First_selected_QSO != nullptr) selected_starts_.push_back(reader.last_start());
  }
  std::fflush(stdout);
}

bool rereading_page::write(FILE* out) {
  bool whole = static_cast<int>(selected_starts_.size()) == number_of_Selected_QSO;
  output::attach(out);
  write_page_head(out);
  FILE* const said = messages::stream;
  messages::stream = nullptr;  // all of it was said in the first pass
  catalogue_reader reader(catalogue_);
  for (const long long start : selected_starts_) {
    if (!whole) break;
    reader.read_at(start);
    int examined = 0;
    if (!select_QSO_spectrum(&First_QSO_spectrum, &examined)) {
      whole = false;
      break;
    }
    write_spectrum_entry(out, First_QSO_spectrum);
  }
  messages::stream = said;
  if (whole) write_page_foot(out);
  output::release();
  return whole;
}
