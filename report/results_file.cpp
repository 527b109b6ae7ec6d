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
#include "query/selected_walk.h"
#include "report/output.h"
#include "report/page_file.h"
#include "report/rereading_page.h"
#include "report/results_page.h"

namespace {

const char kPageName[] = "results.html";
// The page is never one of these: writing it would destroy an input.
const char* const kInputNames[] = {"absrp_sys_list.dat", "absrp_query.frm", "style.var"};
// Counts as wide as any from 1 up to kLargestPlaceholderCount.
const spectrum_counts kPlaceholderCounts = {1, 1};
const int kLargestPlaceholderCount = 999999;

int creation_failed() {
  messages::say("error of creation of results.html\n");
  return 1;
}

// A page that did not reach the disk whole is no answer and is taken away.
int finish_page(page_file& page, FILE* out, bool whole) {
  return page.finish(out, whole) ? 0 : creation_failed();
}

// `said` where an earlier reading has said the reader's messages.
int write_page_by_rereading(input::source& catalogue, page_file& file, bool said = false) {
  rereading_page page(catalogue);
  if (said) {
    const messages::quiet_reading quiet;
    page.select();
  } else {
    page.select();
  }
  FILE* out = file.open();
  if (out == nullptr) return creation_failed();
  return finish_page(file, out, page.write(out));
}

bool counts_fit_placeholders(const spectrum_counts& counts) {
  return counts.selected >= 1 && counts.selected <= kLargestPlaceholderCount &&
         counts.all <= kLargestPlaceholderCount;
}

// Same counts' width, same head length: the head is written over.
bool write_head_over(FILE* out, const spectrum_counts& counts) {
  if (std::fflush(out) != 0 || std::fseek(out, 0, SEEK_SET) != 0) return false;
  output::attach(out);
  write_page_head(out, counts);
  output::release();
  return true;
}

// No tables: the page is its head and foot.
int write_head_and_foot(page_file& page, const spectrum_counts& counts) {
  FILE* out = page.open();
  if (out == nullptr) return creation_failed();
  output::attach(out);
  write_page_head(out, counts);
  write_page_foot(out);
  output::release();
  return finish_page(page, out, true);
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
  write_page_head(out, kPlaceholderCounts);
  const spectrum_counts counts =
      walk_selected_spectra(catalogue, [out](QSO_spectrum& spectrum, long long) {
        write_spectrum_entry(out, spectrum);
      });
  if (counts_fit_placeholders(counts)) {
    write_page_foot(out);
    output::release();
    return finish_page(page, out, write_head_over(out, counts));
  }
  output::release();
  page.close(out);
  if (counts.selected == 0) return write_head_and_foot(page, counts);
  // A million spectra or more: everything was said; count and write again.
  if (!catalogue.seek(catalogue_start)) {
    page.discard();
    return creation_failed();
  }
  return write_page_by_rereading(catalogue, page, true);
}
