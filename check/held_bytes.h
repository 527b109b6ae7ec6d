#ifndef CATALIX_CHECK_HELD_BYTES_H_
#define CATALIX_CHECK_HELD_BYTES_H_

// The bytes lately read, by their offset in the file: what the checks look
// at to judge a piece that the readers took.  The blocks come in the order
// of the file, and about the last mebibyte of them is held, so that the
// bytes of the spectrum being read are at hand whatever the file's size.

#include <string>

class held_bytes {
 public:
  // Takes the block of `size` bytes that the readers read from `base`,
  // which is where the block before it ended.
  void take(long long base, const unsigned char* data, unsigned long size);

  // The byte at `offset`, or -1 for one no longer (or not yet) held.
  int at(long long offset) const {
    const long long i = offset - base_;
    return i >= 0 && i < static_cast<long long>(bytes_.size()) ? static_cast<unsigned char>(bytes_[i]) : -1;
  }

  // Whether the byte at `offset` is held and a decimal digit.
  bool digit_at(long long offset) const {
    const int c = at(offset);
    return c >= '0' && c <= '9';
  }

  // The offset of the first (or the last) line feed in [from, to), or -1.
  long long line_end_in(long long from, long long to) const;
  long long last_line_end_in(long long from, long long to) const;
  // How many line feeds [from, to) holds.
  int line_ends_in(long long from, long long to) const;
  // The first offset in [from, to) that is not white space, or `to`.
  long long past_space(long long from, long long to) const;
  // [from, to) for a message: at most 40 bytes, up to a line end, a CR or
  // a byte not held.
  std::string text(long long from, long long to) const;

 private:
  std::string bytes_;
  long long base_ = 0;  // the offset of bytes_[0]
};

#endif  // CATALIX_CHECK_HELD_BYTES_H_
