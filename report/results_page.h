#ifndef CATALIX_REPORT_RESULTS_PAGE_H_
#define CATALIX_REPORT_RESULTS_PAGE_H_

#include <cstdio>

#include "catalogue/catalogue.h"
#include "query/selected_walk.h"

// The answer page in three pieces, so that the spectrum tables can be
// written as the catalogue is read while the counts come before them.
// Header, menu, query summary and `counts`:
void write_page_head(FILE* out, const spectrum_counts& counts);
// One selected spectrum's table and the rule after it:
void write_spectrum_entry(FILE* out, QSO_spectrum& spectrum);
// The footer and the end of the page:
void write_page_foot(FILE* out);

// Reads the catalogue from where `catalogue` stands, answers the query and
// writes results.html.  Returns 0 when the page was written whole; 1, after
// "error of creation of results.html", when it could not be created or a
// write to it failed (an incomplete page is removed).
int html_Query_Results(input::source& catalogue);

#endif  // CATALIX_REPORT_RESULTS_PAGE_H_
