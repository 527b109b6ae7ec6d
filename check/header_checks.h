#ifndef CATALIX_CHECK_HEADER_CHECKS_H_
#define CATALIX_CHECK_HEADER_CHECKS_H_

// What the bytes of a header block show, judged as each piece is heard: a
// spectrum without a system or a block without an interval (CX111), a range
// separator that is not three characters (CX110), an S/N label that holds a
// 'w' or runs past its line (CX210, CX102), a blank line in the block
// (CX115) and a number that stops before its field ends (CX105).  Each
// number is kept at its place in the reading as it is heard.

#include "catalogue/trace.h"
#include "check/reading.h"

class header_checks {
 public:
  explicit header_checks(reading& r) : r_(r) {}

  // The byte that opens a header block, at `begin`.
  void open(long long begin);
  // The bytes skipped between an interval's two wavelengths.
  void range_separator(long long begin, long long end);
  // The label before the S/N value, up to its '='; `result` 1 when the
  // readers took it as the label of a minimum width.
  void s_to_n_label(long long begin, long long end, int result);
  // A number of the block: wv_min, wv_max, resolution, s_to_n or z_em.
  void number(input::piece what, const number_at& n);

 private:
  void wv_min(const number_at& n);
  void check_number(const char* name, const number_at& n);

  reading& r_;
  bool first_wv_min_ = false;  // the next wv_min opens a header block
};

#endif  // CATALIX_CHECK_HEADER_CHECKS_H_
