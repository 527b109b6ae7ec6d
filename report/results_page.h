#ifndef CATALIX_REPORT_RESULTS_PAGE_H_
#define CATALIX_REPORT_RESULTS_PAGE_H_

#include <cstdio>

// Writes the whole answer page to an open stream: header, menu, query
// summary, counts, one table per selected spectrum, footer.
void write_results_page(FILE* out);

// Writes results.html.  Returns 0 when the page was written whole; 1, after
// "error of creation of results.html" on standard output, when it could not
// be created or a write to it failed (an incomplete page is removed).
int html_Query_Results();

// The query's ion name as the summary shows it, with '<' and '>' escaped.
void write_escaped(FILE* out, const char* text);

#endif  // CATALIX_REPORT_RESULTS_PAGE_H_
