// results.html, written as the catalogue is read.  The counts stand above
// the spectrum tables but are known only at the end, so the page is begun
// with a head whose counts are placeholders of the width the real ones
// almost always have ("%-6.1i": up to six digits), the tables follow as
// each spectrum is read, and at the end the head is written again in
// place.  Where the real counts would not fit that width, or the page is no
// regular file that can be written over, the catalogue is read twice
// instead: once to count, once for the tables.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "report/output.h"
#include "query/selection.h"
#include "report/rereading_page.h"
#include "report/results_page.h"

namespace {

const char kPageName[] = "results.html";
const int kLargestPlaceholderCount = 999999;

int creation_failed() {
  messages::say("error of creation of results.html\n");
  return 1;
}

// Closes the page; a page that did not reach the disk whole is no answer
// and is taken away.  Flushed and checked here, not left to fclose: some C
// libraries do not report from fclose that its last flush failed.
int finish_page(FILE* page, bool whole) {
  whole = whole && std::fflush(page) == 0 && std::ferror(page) == 0;
  whole = std::fclose(page) == 0 && whole;
  if (whole) return 0;
  std::remove(kPageName);
  return creation_failed();
}

// `quiet` where the first reading's messages were already said.
int write_page_by_rereading(input::source& catalogue, bool quiet = false) {
  FILE* const said = messages::stream;
  if (quiet) messages::stream = nullptr;
  rereading_page page(catalogue);
  page.select();
  messages::stream = said;
  FILE* out = std::fopen(kPageName, "w");
  if (out == nullptr) return creation_failed();
  return finish_page(out, page.write(out));
}

// A page file that is not there yet or is a regular file can be written
// over in place; a directory, a device or a pipe cannot.
bool page_is_rewritable() {
  std::error_code error;
  const auto status = std::filesystem::status(kPageName, error);
  return !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
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
  if (!page_is_rewritable()) return write_page_by_rereading(catalogue);
  const long long catalogue_start = catalogue.offset();
  FILE* out = std::fopen(kPageName, "w");
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
    return finish_page(out, rewound);
  }
  output::release();
  std::fclose(out);
  if (number_of_Selected_QSO == 0) {
    // No tables: the page is its head and foot.
    out = std::fopen(kPageName, "w");
    if (out == nullptr) return creation_failed();
    output::attach(out);
    write_page_head(out);
    write_page_foot(out);
    output::release();
    return finish_page(out, true);
  }
  // A million spectra or more: everything was said; count and write again.
  if (!catalogue.seek(catalogue_start)) {
    std::remove(kPageName);
    return creation_failed();
  }
  return write_page_by_rereading(catalogue, true);
}
