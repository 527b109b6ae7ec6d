#ifndef CATALIX_CHECK_FILE_CHECKS_H_
#define CATALIX_CHECK_FILE_CHECKS_H_

// The checks of the file as a whole, from its blocks as they are read: a
// byte-order mark (CX113), CR LF line ends (CX401), lines that end in CR
// alone (CX112) and no line end at the end (CX403).

#include "check/reading.h"

class file_checks {
 public:
  explicit file_checks(reading& r) : r_(r) {}
  // Each block of the file, in order, from offset `base`.
  void take(long long base, const unsigned char* data, unsigned long size);
  // At the file's end.
  void finish();

 private:
  // A CR at `at`, followed by `next` (-1: the end of the file).
  void crlf_or_lone(long long at, int next);

  reading& r_;
  long long size_ = 0;
  unsigned char head_[3] = {0, 0, 0};
  int last_byte_ = -1;
  bool any_line_feed_ = false;
  long long first_crlf_ = -1, first_lone_cr_ = -1;
  long long pending_cr_ = -1;  // a CR that ended a block: its next byte comes with the next
};

#endif  // CATALIX_CHECK_FILE_CHECKS_H_
