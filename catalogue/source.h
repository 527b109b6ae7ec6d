#ifndef CATALIX_CATALOGUE_SOURCE_H_
#define CATALIX_CATALOGUE_SOURCE_H_

// An input file as the readers see it: bytes read in large blocks into a
// buffer of our own and handed out through plain pointers, on every
// platform the same.  It offers what the readers need and nothing more: a
// byte, a look at the next one, one step back, skips, a search for a byte
// within a budget of reads, a text up to a terminator, a number as scanf's
// "%lg" and "%d" read it, and the byte offset to note and return to.
//
// End of input is kEnd, and it is final: once the file has given no more
// bytes it is not asked again (a file that grows while it is read is read
// up to where it ended then), until seek().

#include <cstddef>
#include <cstdio>

#include "catalogue/plain_number.h"
#include "catalogue/trace.h"

namespace input {

const int kEnd = -1;

// White space as scanf and isspace see it in the C locale, the only one the
// program runs in.
inline bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

class source {
 public:
  static const std::size_t kBlock = 1 << 18;
  // Bytes after the buffered ones that are always there and always 0, so
  // that the number reader may look a few blocks of eight ahead of the last
  // byte of the file.
  static const std::size_t kPadding = 64;

  // Opens `path` read-only in binary mode.  A path that is not a readable
  // regular file (missing, unreadable, a directory, a device, a pipe) gives
  // a source that is not open and reads as empty.
  explicit source(const char* path, std::size_t block = kBlock);
  // Reads `file` (taken over, closed with the source), which stands at its
  // start.
  explicit source(FILE* file, std::size_t block = kBlock);
  ~source();
  source(const source&) = delete;
  source& operator=(const source&) = delete;

  bool is_open() const { return file_ != nullptr; }

  int get() { return next_ != end_ ? *next_++ : refill_and_get(); }
  int peek() { return next_ != end_ ? *next_ : refill_and_peek(); }
  // Undoes the get() just made; after kEnd there is nothing to undo.
  void step_back(int c) {
    if (c != kEnd) --next_;
  }

  // What follows reads one piece of the file each; `what` names it for a
  // listener.
  // Skips n bytes, fewer at the end of the input.
  void skip(int n, piece what = piece::none) {
    if (listener_ == nullptr && end_ - next_ >= n) {
      next_ += n;
    } else {
      skip_slowly(n, what);
    }
  }
  // Skips any run of white space, as the scanf directive "\n" does.
  void skip_white_space(piece what = piece::none);
  // Reads until `stop` has been read or `budget` reads were made (a read at
  // the end of the input counts and matches nothing); returns the reads.
  int reads_to(int stop, int budget, piece what = piece::none) {
    // Mostly the marker stands right there, as in "2.1$".
    if (listener_ == nullptr && next_ != end_ && *next_ == stop && budget > 0) {
      ++next_;
      return 1;
    }
    return reads_to_slowly(stop, budget, what);
  }
  // Reads up to and including a terminator t1 or t2, or, with a positive
  // `limit`, the limit-th byte (read and dropped).  Keeps the bytes before
  // it in `text`, at most capacity - 1 of them, and a NUL; returns how many
  // it kept.  The end of the input ends it too.
  int read_text(char* text, int capacity, int t1, int t2, int limit, piece what = piece::none);

  // A number as fscanf's "%lg" and "%d" read it: the same value, the same
  // bytes consumed.  On failure `value` is unchanged and false is returned.
  // Inline, as it is most of the reading: the plain numbers of catalogues
  // are taken straight from the buffer, anything else out of line.
  CATALIX_ALWAYS_INLINE bool read_double(double* value, piece what = piece::none) {
    const unsigned char* after = plain::scan(next_, end_, ended_, value);
    if (after == nullptr || listener_ != nullptr) return read_double_slowly(value, what, after);
    next_ = after;
    return true;
  }
  bool read_int(int* value);

  // The byte offset of the next byte, and a return to one.  seek() reads
  // the file afresh from there: a file rewritten in between gives its new
  // bytes.  False when the file cannot go there.
  long long offset() const { return base_ + (next_ - buffer_); }
  bool seek(long long offset);

  // Where the readers tell what they read.  With no listener (the
  // program's own runs) nothing is noted.
  void listen(listener* to) { listener_ = to; }
  // A point in the file worth noting: where a piece the readers take byte
  // by byte begins, or `result` of a step they decided themselves.
  void mark(piece what, long long begin, int result = 0) {
    if (listener_ != nullptr) listener_->read(what, begin, offset(), result);
  }

 private:
  bool refill();
  void skip_slowly(int n, piece what);
  int reads_to_slowly(int stop, int budget, piece what);
  // `after`: where the plain reading of the number ended, or null.
  bool read_double_slowly(double* value, piece what, const unsigned char* after);
  int refill_and_get();
  int refill_and_peek();

  FILE* file_ = nullptr;
  std::size_t block_;
  unsigned char* buffer_ = nullptr;
  const unsigned char* next_ = nullptr;
  const unsigned char* end_ = nullptr;
  long long base_ = 0;   // the offset of buffer_[0]
  bool ended_ = false;   // the file gave its last byte; end_ is the end
  listener* listener_ = nullptr;
};

}  // namespace input

#endif  // CATALIX_CATALOGUE_SOURCE_H_
