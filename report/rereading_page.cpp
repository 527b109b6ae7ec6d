#include "report/rereading_page.h"

#include "report/output.h"
#include "report/results_page.h"

void rereading_page::select() {
  selected_starts_.clear();
  counts_ = walk_selected_spectra(catalogue_, [this](QSO_spectrum&, long long start) {
    selected_starts_.push_back(start);
  });
}

bool rereading_page::write(FILE* out) {
  bool whole = static_cast<int>(selected_starts_.size()) == counts_.selected;
  output::attach(out);
  write_page_head(out, counts_);
  if (whole) {
    whole = walk_selected_again(catalogue_, selected_starts_, [out](QSO_spectrum& spectrum, long long) {
      write_spectrum_entry(out, spectrum);
    });
  }
  if (whole) write_page_foot(out);
  output::release();
  return whole;
}
