#ifndef CATALIX_TABLE_LINE_TABLE_H_
#define CATALIX_TABLE_LINE_TABLE_H_

// The line table: one row for each line row of the results page, that is
// each selected line of each selected system of each selected spectrum, in
// page order.

#include <cstdio>

#include "catalogue/source.h"

enum class table_format { votable, csv };

// Reads the catalogue from where `catalogue` stands, one
// spectrum at a time, selects with the query already read (see
// init_query_parameters), and writes the table to `out` as it goes.
// Returns 0, or 1 when a write to `out` failed.
int write_line_table(input::source& catalogue, FILE* out, table_format format);

#endif  // CATALIX_TABLE_LINE_TABLE_H_
