#ifndef CATALIX_PYTHON_CATALOGUE_TABLES_H_
#define CATALIX_PYTHON_CATALOGUE_TABLES_H_

// The whole catalogue as read, as four tables joined by keys: `spectrum`
// (from 1, in file order), `system` (from 1 within its spectrum), and
// `interval` and `line` (from 1 within their system).
//   spectra    spectrum, qso_name, qso_label
//   systems    spectrum, system, z_em, caption, notes (the note lines
//              without their '*', one per line; missing where there is
//              none), note_only (a block of one note line, which has no
//              interval, emission redshift or caption), symbols
//   intervals  spectrum, system, interval, lambda_min, lambda_max,
//              resolution, s_to_n, w_min (the minimum width, where the
//              label before the fourth value says so; s_to_n is then
//              missing), symbols
//   lines      spectrum, system, line, then the line's values in force and
//              as written (line_values.h), symbols, remark
// Numbers and texts follow the rules of table_values.h.

#include "catalogue/catalogue.h"
#include "python/line_values.h"
#include "python/table.h"

class catalogue_tables {
 public:
  catalogue_tables();
  // Adds the spectrum in memory as the next spectrum of the catalogue.
  void add(const QSO_spectrum& spectrum);

  table spectra, systems, intervals, lines;

 private:
  // A table's keys and its symbols, the columns every row fills.
  struct keyed {
    keyed(table& t, const char* level, const char* item);
    void add_keys(int spectrum, int system, int item);
    column* spectrum;
    column* system = nullptr;
    column* item = nullptr;
    column* symbols = nullptr;
  };

  void add_system(const sub_record& system, int number);
  void add_intervals(const header& head, int system);
  void add_lines(const record_group& list, int system);

  int spectrum_ = 0;
  keyed spectra_keys_, system_keys_, interval_keys_, line_keys_;
  column *qso_name_, *qso_label_;
  column *z_em_, *caption_, *notes_, *note_only_;
  column *lambda_min_, *lambda_max_, *resolution_, *s_to_n_, *w_min_;
  line_values line_;
  column* remark_;
  row_symbols symbols_;
};

#endif  // CATALIX_PYTHON_CATALOGUE_TABLES_H_
