#ifndef CATALIX_CATALOGUE_INPUT_H_
#define CATALIX_CATALOGUE_INPUT_H_

// The reading primitives every reader of the input files goes through.
// Kept in one place so that they can be made faster without touching the
// readers.  End of input is `kEnd`; nothing here ever steps back over it.

#include <cstdio>

#include "catalogue/plain_number.h"

// The one place that picks the character call for the platform.  ISO C's
// getc locks the stream on every call; POSIX systems (Linux, FreeBSD) have
// the same call without the lock, and the Windows C library names it
// _getc_nolock.  Anything else gets the plain ISO call, which reads the same
// bytes, only slower.
#if defined(_WIN32)
#define CATALIX_GETC(file) _getc_nolock(file)
#elif defined(__unix__) || defined(__APPLE__)
#define CATALIX_GETC(file) getc_unlocked(file)
#else
#define CATALIX_GETC(file) std::getc(file)
#endif

namespace input {

const int kEnd = EOF;

// Opens an input file read-only in binary mode.  A path that is not a
// readable regular file (missing, unreadable, a directory, a device, a pipe)
// gives null.
FILE* open(const char* path);

// One character, or kEnd.
inline int read_char(FILE* file) { return CATALIX_GETC(file); }

// Steps back over the character just read; a read of nothing is not undone.
inline void step_back(FILE* file, int c) {
  if (c != kEnd) ungetc(c, file);
}

// The bytes the stream has read ahead and not yet handed out.  Reading them
// here and then moving the stream past them with take_to() is the same as
// that many read_char calls, without a call per character: this is what
// glibc's own getc_unlocked does, one byte at a time.  Elsewhere the window
// is empty and every reader goes character by character.
struct window {
  const unsigned char* next;
  const unsigned char* end;
};

inline window buffered(FILE* file) {
#if defined(__GLIBC__)
  return {reinterpret_cast<const unsigned char*>(file->_IO_read_ptr),
          reinterpret_cast<const unsigned char*>(file->_IO_read_end)};
#else
  (void)file;
  return {nullptr, nullptr};
#endif
}

// `next` must lie in the window buffered() gave, with no read in between.
inline void take_to(FILE* file, const unsigned char* next) {
#if defined(__GLIBC__)
  file->_IO_read_ptr = reinterpret_cast<char*>(const_cast<unsigned char*>(next));
#else
  (void)file;
  (void)next;
#endif
}

// The next character without reading it, or kEnd.
inline int peek(FILE* file) {
  const window w = buffered(file);
  if (w.next != w.end) return *w.next;
  const int c = read_char(file);
  step_back(file, c);
  return c;
}

// Character sources for readers written once for both ways of reading:
// the stream itself, or the window, which reports kEnd where it runs out.
// A reader run on the window leaves no mark until take_to(), so when the
// window ran out it is simply run again on the stream from the same place.
class stream_reader {
 public:
  explicit stream_reader(FILE* file) : file_(file) {}
  int get() { return read_char(file_); }

 private:
  FILE* file_;
};

class window_reader {
 public:
  explicit window_reader(FILE* file) : file_(file) {
    const window w = buffered(file);
    next_ = w.next;
    end_ = w.end;
  }
  int get() {
    if (next_ != end_) return *next_++;
    ran_out_ = true;
    return kEnd;
  }
  bool ran_out() const { return ran_out_; }
  // Moves the stream past what was read here; with `c` other than kEnd,
  // the last character read stays unread, as step_back() would leave it.
  void commit(int c = kEnd) {
    take_to(file_, c != kEnd ? next_ - 1 : next_);
  }

 private:
  FILE* file_;
  const unsigned char* next_;
  const unsigned char* end_;
  bool ran_out_ = false;
};

// Chained reading.  Stepping back costs far more than a read, so a reader
// that has read one character too many may hand it on, as `pending`, to the
// next reader instead; kEnd stands for none, and the next reader then reads
// afresh.  Every chain ends in a reader that takes the pending character or
// in step_back, so that the stream stands where it would without chaining.
inline int next_char(FILE* file, int pending) {
  return pending != kEnd ? pending : read_char(file);
}

// White space as scanf and isspace see it in the C locale, the only one the
// program runs in.
inline bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Skips n characters by reading them; stops early at the end of the input.
void skip(FILE* file, int n);

// Skips any run of white space, as the scanf directive "\n" does.
void skip_white_space(FILE* file);
void skip_white_space_from(FILE* file, int pending);

// Read a number exactly as glibc's fscanf "%lg" and "%d" do: the same value,
// the same characters consumed, so the stream stands at the same byte.  On
// failure `value` is unchanged and false is returned.  The common numbers
// are taken inline from the window (plain_number.h), the rest by the
// scanners of number_input.cpp.
bool read_int(FILE* file, int* value);
bool read_double_scanning(FILE* file, double* value);
int read_double_from_scanning(FILE* file, int pending, double* value);

inline bool read_double(FILE* file, double* value) {
  if (plain::kEnabled) {
    const window w = buffered(file);
    if (w.next != w.end) {
      const unsigned char* next = plain::scan(w.next + 1, w.end, *w.next, value);
      if (next != nullptr) {
        take_to(file, next);  // the character after it stays unread
        return true;
      }
    }
  }
  return read_double_scanning(file, value);
}

// read_double in a chain: returns the new pending character.
inline int read_double_from(FILE* file, int pending, double* value) {
  if (plain::kEnabled && (pending == kEnd || is_space(pending))) {
    const window w = buffered(file);
    const unsigned char* p = w.next;
    if (p != w.end) {
      const int c = pending != kEnd ? pending : *p++;
      const unsigned char* next = plain::scan(p, w.end, c, value);
      if (next != nullptr) {
        take_to(file, next + 1);
        return *next;
      }
    }
  }
  return read_double_from_scanning(file, pending, value);
}

// As scanf's "%c".
bool read_letter(FILE* file, char* value);

}  // namespace input

#endif  // CATALIX_CATALOGUE_INPUT_H_
