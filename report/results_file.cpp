// results.html, written as the catalogue is read.  The counts stand before
// the spectrum tables, so the tables wait in a temporary file beside the
// page (in binary, so that the page's text mode turns line ends once) until
// the catalogue has been read; then the page is put together.

#include <cstdio>

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "report/output.h"
#include "query/selection.h"
#include "report/rereading_page.h"
#include "report/results_page.h"

namespace {

const char kPageName[] = "results.html";
const char kTablesName[] = "results.html.tmp";

// The temporary file of the tables.  Where the system allows it, its name
// goes at once (the open stream keeps the file), so that nothing is left
// behind whatever becomes of the run; elsewhere it goes when it is closed.
class tables_file {
 public:
  tables_file() : file_(std::fopen(kTablesName, "w+b")) {
    if (file_ != nullptr) named_ = std::remove(kTablesName) != 0;
  }
  ~tables_file() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    if (named_) std::remove(kTablesName);
  }
  tables_file(const tables_file&) = delete;
  tables_file& operator=(const tables_file&) = delete;

  FILE* get() const { return file_; }

  // Appends the tables to `out`; false when a read or write failed.
  bool copy_to(FILE* out) const {
    if (std::fflush(file_) != 0 || std::ferror(file_) != 0) return false;
    std::rewind(file_);
    static char block[1 << 16];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file_)) != 0) {
      if (std::fwrite(block, 1, n, out) != n) return false;
    }
    return std::ferror(file_) == 0;
  }

 private:
  FILE* file_;
  bool named_ = false;
};

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

// Without a temporary file (a folder that takes no new file, say) the
// catalogue is read twice instead.
int write_page_by_rereading(FILE* catalogue) {
  rereading_page page(catalogue);
  page.select();
  FILE* out = std::fopen(kPageName, "w");
  if (out == nullptr) return creation_failed();
  return finish_page(out, page.write(out));
}

}  // namespace

int html_Query_Results(FILE* catalogue) {
  tables_file tables;
  if (tables.get() == nullptr) return write_page_by_rereading(catalogue);
  start_result_list();
  output::attach(tables.get());
  Read_Data_Base(catalogue, [&](QSO_spectrum&) {
    result_list_generator();
    if (First_selected_QSO != nullptr) {
      write_spectrum_entry(tables.get(), *First_selected_QSO);
    }
  });
  output::release();

  FILE* out = std::fopen(kPageName, "w");
  if (out == nullptr) return creation_failed();
  output::attach(out);
  write_page_head(out);
  output::release();
  const bool copied = tables.copy_to(out);
  output::attach(out);
  write_page_foot(out);
  output::release();
  return finish_page(out, copied);
}
