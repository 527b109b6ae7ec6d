#ifndef CATALIX_TABLE_TABLE_WRITER_H_
#define CATALIX_TABLE_TABLE_WRITER_H_

// A serialization of the line table, written as the rows come: the head
// first, saying whether rows were left out (overflow), then one call per
// row, then the counts, known only at the end.

#include <cstdio>
#include <memory>
#include <string_view>

#include "table/line_row.h"

class table_writer {
 public:
  virtual ~table_writer() = default;
  virtual void begin(bool overflow) = 0;
  virtual void row(const line_row& row) = 0;
  // `error` is null, or says why the rows end early.
  virtual void end(int selected_spectra, int all_spectra, const char* error) = 0;
};

// VOTable 1.3, one TABLE in TABLEDATA; before it the QUERY_STATUS (OK, or
// OVERFLOW) and the query as PARAMs, after it the counts as INFOs and, for
// rows that end early, a second QUERY_STATUS, ERROR.
std::unique_ptr<table_writer> make_votable_writer(FILE* out);

// RFC 4180: a header row of the column names, rows ending in CR LF, fields
// quoted where needed; a null is an empty field.
std::unique_ptr<table_writer> make_csv_writer(FILE* out);

// A VOTable that answers with an error alone, as DALI has it: its one
// RESOURCE holds the INFO QUERY_STATUS, ERROR, whose text is `why`.
void write_error_votable(FILE* out, std::string_view why);

// Tab-separated values (text/tab-separated-values): as CSV, with tabs for
// commas and rows ending in LF.
std::unique_ptr<table_writer> make_tsv_writer(FILE* out);

#endif  // CATALIX_TABLE_TABLE_WRITER_H_
