#ifndef CATALIX_PYTHON_LINE_VALUES_H_
#define CATALIX_PYTHON_LINE_VALUES_H_

// The values of one line record as the tables give them, from the
// redshift to log N, in the columns of catalix-table: z_abs and ion are
// the values in force (written on the line or carried from above); with
// `as_written`, z_abs_written and ion_written follow each, the values the
// line itself writes (missing where it leaves them blank).

#include "catalogue/catalogue.h"
#include "python/table.h"
#include "python/table_values.h"

class line_values {
 public:
  // Adds the columns to `t`.
  line_values(table& t, bool as_written);
  void add(const record& line, row_symbols* symbols);

 private:
  column* z_abs_;
  column* z_abs_written_ = nullptr;
  column* ion_;
  column* ion_written_ = nullptr;
  column* lambda_lab_;
  column* lambda_obs_;
  column* lambda_obs_err_;
  column* w_obs_;
  column* w_obs_err_;
  column* log_n_;
};

#endif  // CATALIX_PYTHON_LINE_VALUES_H_
