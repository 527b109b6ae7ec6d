#ifndef CATALIX_PYTHON_ANSWER_TABLE_H_
#define CATALIX_PYTHON_ANSWER_TABLE_H_

// The answer of a query as columns: row for row, column for column and
// value for value the line table that catalix-table writes (one row for
// each selected line of each selected system of each selected spectrum, in
// page order), its numbers as doubles, not as text.  A cell that the CSV
// leaves empty is missing.

#include "catalogue/catalogue.h"
#include "python/line_values.h"
#include "python/table.h"

class answer_table {
 public:
  answer_table();
  // Adds the rows of `spectrum`, whose selection has been made.
  void add_selected(const QSO_spectrum& spectrum);
  table& columns() { return table_; }

 private:
  void add_row(const QSO_spectrum& spectrum, int system, const header& head, const record& line);

  table table_;
  column* qso_name_;
  column* qso_label_;
  column* system_;
  column* z_em_;
  line_values line_;
  column* symbols_;
  column* remark_;
  row_symbols row_symbols_;
};

#endif  // CATALIX_PYTHON_ANSWER_TABLE_H_
