#ifndef CATALIX_REPORT_NUMBER_FORMAT_H_
#define CATALIX_REPORT_NUMBER_FORMAT_H_

// The number formats of the results page.

#include <cstdio>

// "%-12.10g": every catalogue number in the tables.
void write_table_number(FILE* out, double x);

// A catalogue number as the tables show it: the symbol's text for a reserved
// number, else "%-12.10g".
void write_rendered(FILE* out, double x);

// "%-10.9g": the query bounds in the parameter summary.
void write_bound(FILE* out, double x);

// "%-6.1i": the two spectrum counts.
void write_count(FILE* out, int n);

// "%-2.2u": border, width and height; a negative value shows as its unsigned
// 32-bit value.
void write_size(FILE* out, int n);

#endif  // CATALIX_REPORT_NUMBER_FORMAT_H_
