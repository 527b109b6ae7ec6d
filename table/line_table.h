#ifndef CATALIX_TABLE_LINE_TABLE_H_
#define CATALIX_TABLE_LINE_TABLE_H_

// The line table: one row for each line row of the results page, that is
// each selected line of each selected system of each selected spectrum, in
// page order.

#include <cstdio>
#include <vector>

#include "catalogue/source.h"
#include "query/selected_walk.h"

enum class table_format { votable, csv, tsv };

// Reads the catalogue from where `catalogue` stands, one
// spectrum at a time, selects with the query already read (see
// init_query_parameters), and writes the table to `out` as it goes.
// Returns 0, or 1 when a write to `out` failed.
int write_line_table(input::source& catalogue, FILE* out, table_format format);

// The table cut to its first `limit` rows, for an answer that says before
// its first row whether rows were left out.  A first reading selects the
// whole catalogue and counts the rows, keeping where each spectrum that
// gives one of the first `limit` starts; a second reads just those again
// and writes their rows.  Memory: one offset per such spectrum, so never
// more than `limit` of them.
class limited_line_table {
 public:
  // `catalogue` stands at the catalogue's start; the query is read.
  limited_line_table(input::source& catalogue, long long limit)
      : catalogue_(catalogue), limit_(limit) {}

  // The first reading; the reader's messages go out here, as they occur.
  void count();

  // Whether rows were left out; always so for a limit of 0, which asks for
  // the table's head alone.
  bool overflow() const { return limit_ == 0 || rows_ > limit_; }

  // The second reading, which says nothing, and the table to `out`.
  // Returns 0; 1 when a write failed; 2 when a spectrum read again gives
  // other rows: the catalogue changed between the readings, and the table
  // is cut short (a VOTable then ends with QUERY_STATUS ERROR).
  int write(FILE* out, table_format format);

 private:
  input::source& catalogue_;
  long long limit_;
  long long rows_ = 0;
  std::vector<long long> starts_;
  spectrum_counts counts_;
};

#endif  // CATALIX_TABLE_LINE_TABLE_H_
