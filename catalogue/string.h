#ifndef CATALIX_CATALOGUE_STRING_H_
#define CATALIX_CATALOGUE_STRING_H_

#include <cstdio>

#include "catalogue/source.h"

// A fixed text field of the catalogue: at most 99 characters and a NUL.
// Only the first kCleared bytes are zeroed on construction (every line
// record makes three of these, and clearing all of them was a tenth of the
// reading's time): a text always ends in its NUL, and no reader looks past
// it but the name comparison, which looks at most at the first eight bytes.
// `next` chains note lines.
class string {
 public:
  static const int kCapacity = 100;
  static const int kCleared = 8;

  char text[kCapacity];
  string* next;

  string() : next(nullptr) {
    for (int i = 0; i < kCleared; ++i) text[i] = '\0';
  }
  // Copies at most 39 characters of `src`.
  explicit string(const char* src);

  // The four scanning members read from `in` into `text` until a
  // terminator has been read (and consumed).  A limit n ends the read after
  // the n-th byte, which is consumed and dropped.  At most 99 bytes are
  // stored; longer input is consumed up to the terminator.  End of input
  // ends the read and keeps what was read.  They return the number of bytes
  // kept, or -1 (and read nothing) when a terminator is NUL or the limit is
  // not positive.  `what` names the piece for a listener of `in`.
  int Read_string(input::source& in, char c, input::piece what = input::piece::none);
  int Read_string2(input::source& in, char c, int n);
  int Read_string3(input::source& in, char c1, char c2, input::piece what = input::piece::none);
  int Read_string4(input::source& in, char c1, char c2, int n,
                   input::piece what = input::piece::none);

  // Writes `text` leaving out every character equal to `c`; returns the
  // length of `text` minus 1.  Defined with the page writers (report/).
  int print_symbol_off(FILE* out, char c) const;

  // Copies the text of `other` up to its NUL; the bytes after it are left.
  void copy_text(const string& other);

 private:
  int read_until(input::source& in, char c1, char c2, int limit, input::piece what);
};

// Writes the "stop_signal ... lost" line for `stop` to standard output.
void say_stop_signal_lost(char stop);

// Skips to just past the next `stop` character, making at most 1001 reads.
// Returns 0 when `stop` was among the first 1000 characters read; otherwise
// writes the "stop_signal ... lost" line to standard output and returns 1.
inline int descriptor_shift(input::source& in, char stop,
                            input::piece what = input::piece::none) {
  const int kMaxReads = 1001;
  if (in.reads_to(static_cast<unsigned char>(stop), kMaxReads, what) < kMaxReads) return 0;
  say_stop_signal_lost(stop);
  return 1;
}

#endif  // CATALIX_CATALOGUE_STRING_H_
