#ifndef CATALIX_CATALOGUE_PLAIN_NUMBER_H_
#define CATALIX_CATALOGUE_PLAIN_NUMBER_H_

// The numbers catalogues are made of, [sign] digits [. digits] with no
// exponent, read straight from the stream's buffer eight bytes at a time and
// inline in the readers: reading numbers is most of the cost of a catalogue.
// Character by character, every run of digits ended in a mispredicted
// branch.  Anything else, and a buffer too short to hold the number, is left
// to the scanners of number_input.cpp, which read as scanf does; on the
// numbers taken here both give the same value and stop at the same byte.

#include <cfloat>
#include <cstdint>
#include <cstring>

namespace input {
namespace plain {

#if FLT_EVAL_METHOD == 0 && defined(__GNUC__) && \
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
const bool kEnabled = true;
#else
const bool kEnabled = false;
#endif

// Bytes the buffer must still hold at the number's first character: two
// blocks of digits, the '.', two more blocks and the character after them.
const long kRoom = 40;

inline uint64_t load_block(const unsigned char* p) {
  uint64_t block;
  std::memcpy(&block, p, sizeof block);
  return block;
}

// How many of the eight bytes of `block`, first byte lowest, are digits
// before the first one that is not.  Digits become 0-9 under the xor; any
// other byte has a high nibble or turns 0x1? when 6 is added.  A carry out of
// a byte comes only from one already marked, and runs only to later bytes.
inline int leading_digits(uint64_t block) {
  const uint64_t x = block ^ 0x3030303030303030u;
  const uint64_t marks =
      (x & 0xF0F0F0F0F0F0F0F0u) | ((x + 0x0606060606060606u) & 0x1010101010101010u);
  return marks == 0 ? 8 : __builtin_ctzll(marks) / 8;
}

// The value of the first n (1 to 8) digits of `block`: they are moved to the
// top, below them come zeros, and pairs, quads and octets are summed.
inline uint64_t digits_value(uint64_t block, int n) {
  uint64_t x = (block ^ 0x3030303030303030u) << (8 * (8 - n));
  x = x * 10 + (x >> 8);
  x = (((x & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
       (((x >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >> 32;
  return x & 0xFFFFFFFFu;
}

// Exact powers of ten, 10^0 to 10^22.
extern const double kPowersOfTen[23];

// A number with more than eight digits, from its first character q; the
// position of the character after it, or null.
const unsigned char* scan_long(const unsigned char* q, bool negative, double* value);

// `c` is the first character, already taken, and p the buffer position
// after it.  On success the value is set and the position of the character
// after the number returned; null, with nothing set, otherwise.
inline const unsigned char* scan(const unsigned char* p, const unsigned char* end,
                                 int c, double* value) {
  while (c == ' ' || (c >= '\t' && c <= '\r')) {
    if (p == end) return nullptr;
    c = *p++;
  }
  bool negative = false;
  if (c == '-' || c == '+') {
    if (p == end) return nullptr;
    negative = c == '-';
    c = *p++;
  }
  const unsigned char* q = p - 1;  // the number's first character
  if (end - q < kRoom) return nullptr;
  // Most numbers have at most eight digits: the '.' is taken out of the
  // first block, the digits after it close up, and one conversion follows.
  uint64_t block = load_block(q);
  const int whole = leading_digits(block);
  const bool dot = whole < 8 && q[whole] == '.';
  int digits = whole;
  if (dot) {
    const uint64_t below = (uint64_t{1} << (8 * whole)) - 1;
    block = (block & below) | ((block >> 8) & ~below) | (load_block(q + 8) << 56);
    digits = leading_digits(block);
  }
  if (digits == 8) return scan_long(q, negative, value);
  const unsigned char* next = q + digits + (dot ? 1 : 0);
  // No digit at all, an exponent or a hexadecimal number: the scanners know
  // what to do.
  const int after = *next | 0x20;
  if (digits == 0 || after == 'e' || after == 'x') return nullptr;
  // Both exact, so one division rounds correctly.
  const double magnitude =
      static_cast<double>(digits_value(block, digits)) / kPowersOfTen[digits - whole];
  *value = negative ? -magnitude : magnitude;
  return next;
}

}  // namespace plain
}  // namespace input

#endif  // CATALIX_CATALOGUE_PLAIN_NUMBER_H_
