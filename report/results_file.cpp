// results.html, written as the catalogue is read.  The counts stand above
// the spectrum tables but are known only at the end, so the page is begun
// with a head whose counts are placeholders of the width the real ones
// almost always have ("%-6.1i": up to six digits), the tables follow as
// each spectrum is read, and at the end the head is written again in
// place.  Where the real counts would not fit that width, or the page is no
// regular file that can be written over, the catalogue is read twice
// instead: once to count, once for the tables.  Where the page goes, and
// how it replaces the earlier one, is page_file's.

#include <cstdio>
#include <iterator>

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "report/output.h"
#include "report/page_file.h"
#include "query/selection.h"
#include "report/rereading_page.h"
#include "report/results_page.h"

namespace {

const char kPageName[] = "results.html";
// The page is never one of these: writing it would destroy an input.
const char* const kInputNames[] = {"absrp_sys_list.dat", "absrp_query.frm", "style.var"};
const int kLargestPlaceholderCount = 999999;

int creation_failed() {
  messages::say("error of creation of results.html\n");
  return 1;
}

// A page that did not reach the disk whole is no answer and is taken away.
int finish_page(page_file& page, FILE* out, bool whole) {
  return page.finish(out, whole) ? 0 : creation_failed();
}

// `quiet` where the first reading's messages were already said.
int write_page_by_rereading(input::source& catalogue, page_file& file, bool quiet = false) {
  FILE* const said = messages::stream;
  if (quiet) messages::stream = nullptr;
  rereading_page page(catalogue);
  page.select();
  messages::stream = said;
  FILE* out = file.open();
  if (out == nullptr) return creation_failed();
  return finish_page(file, out, page.write(out));
}

bool counts_fit_placeholders() {
  return number_of_Selected_QSO >= 1 && number_of_Selected_QSO <= kLargestPlaceholderCount &&
         total_number_of_QSO <= kLargestPlaceholderCount;
}

void write_placeholder_head(FILE* out) {
  number_of_Selected_QSO = 1;
  total_number_of_QSO = 1;
  write_page_head(out);
  start_result_list();
}

// Reads the catalogue for its messages alone, as a run that cannot write
// its page still says what it met.
void read_for_messages(input::source& catalogue) {
  Read_Data_Base(catalogue, [](QSO_spectrum&) {});
}

}  // namespace

int html_Query_Results(input::source& catalogue) {
  page_file page(kPageName, {std::begin(kInputNames), std::end(kInputNames)});
  if (!page.seekable()) return write_page_by_rereading(catalogue, page);
  const long long catalogue_start = catalogue.offset();
  FILE* out = page.open();
  if (out == nullptr) {
    read_for_messages(catalogue);
    return creation_failed();
  }

  output::attach(out);
  write_placeholder_head(out);
  Read_Data_Base(catalogue, [&](QSO_spectrum&) {
    result_list_generator();
    if (First_selected_QSO != nullptr) write_spectrum_entry(out, *First_selected_QSO);
  });
  if (counts_fit_placeholders()) {
    write_page_foot(out);
    output::release();
    // Same counts' width, same head length: the head is written over.
    const bool rewound = std::fflush(out) == 0 && std::fseek(out, 0, SEEK_SET) == 0;
    if (rewound) {
      output::attach(out);
      write_page_head(out);
      output::release();
    }
    return finish_page(page, out, rewound);
  }
  output::release();
  page.close(out);
  if (number_of_Selected_QSO == 0) {
    // No tables: the page is its head and foot.
    out = page.open();
    if (out == nullptr) return creation_failed();
    output::attach(out);
    write_page_head(out);
    write_page_foot(out);
    output::release();
    return finish_page(page, out, true);
  }
  // A million spectra or more: everything was said; count and write again.
  if (!catalogue.seek(catalogue_start)) {
    page.discard();
    return creation_failed();
  }
  return write_page_by_rereading(catalogue, page, true);
}
