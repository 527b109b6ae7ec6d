#ifndef CATALIX_CHECK_LINE_CHECKS_H_
#define CATALIX_CHECK_LINE_CHECKS_H_

// What the bytes of a line list show, judged as each piece of a line record
// is heard: a blank redshift column that is not eight blanks and a '$'
// (CX106), a tab, a no-break space or a blank line where a record starts
// (CX107), a blank first redshift (CX108), a marker line followed by blanks
// or by text (CX109, CX116), a name cut or run past its line (CX209), a
// record's numbers going on to the next line (CX115) and a number that stops
// before its field ends (CX105).  Each record, and each of its numbers, is
// kept at its place in the reading as it is heard.

#include "catalogue/trace.h"
#include "check/reading.h"

class line_checks {
 public:
  explicit line_checks(reading& r) : r_(r) {}

  // The white space before a line list's first record.
  void list_gap(long long begin, long long end);
  // A record that starts with a blank: the nine bytes of its redshift column.
  void blank_redshift(long long begin, long long end);
  // A record that starts with its redshift.
  void z_abs(const number_at& n);
  // The white space after a marker line's number.
  void marker_gap(long long begin, long long end);
  // The name up to its end mark ('{' or ':'), or up to the byte dropped.
  void ion_name(long long begin, long long end);
  // The byte read as the '}' after the laboratory wavelength.
  void brace(long long begin);
  // The two bytes a damped Lyman-alpha system's name is followed by.
  void dla_gap(long long begin, long long end);
  // A number after the name: rest_wv, obs_wv, obs_wv_err, eq_width or
  // eq_width_err.
  void number(input::piece what, const number_at& n);

 private:
  record_at& start_record(long long start);
  void blank_or_tab(const number_at& n);
  void check_number(const char* name, const number_at& n, bool brace_follows);

  reading& r_;
  long long list_line_blanks_ = -1;  // where the first line of a list begins with blanks
  int name_terminator_ = 0;          // of the current record's ion name
};

#endif  // CATALIX_CHECK_LINE_CHECKS_H_
