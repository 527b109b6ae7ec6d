#ifndef CATALIX_REPORT_REREADING_PAGE_H_
#define CATALIX_REPORT_REREADING_PAGE_H_

// The answer page written straight to a stream that cannot wait for the
// counts (the web server's, or a page file when no temporary file can be
// made): a first pass reads and selects the whole catalogue, remembering
// only where each selected spectrum starts; the page head with the counts
// follows, then a second pass reads just those spectra again for their
// tables.  Memory: one offset per selected spectrum.

#include <cstdio>
#include <vector>

#include "catalogue/source.h"
#include "query/selected_walk.h"

class rereading_page {
 public:
  // `catalogue` stands at the catalogue's start.
  explicit rereading_page(input::source& catalogue) : catalogue_(catalogue) {}

  // The first pass; the reader's messages go out here, as they occur.
  void select();

  // Writes the whole page to `out`, through the page buffer.  The second
  // reading says nothing.  Returns false when a spectrum read again is no
  // longer selected: the catalogue changed between the passes, and what was
  // written is not a whole page.
  bool write(FILE* out);

 private:
  input::source& catalogue_;
  std::vector<long long> selected_starts_;
  spectrum_counts counts_;
};

#endif  // CATALIX_REPORT_REREADING_PAGE_H_
