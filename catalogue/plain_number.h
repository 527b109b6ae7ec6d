#ifndef CATALIX_CATALOGUE_PLAIN_NUMBER_H_
#define CATALIX_CATALOGUE_PLAIN_NUMBER_H_

// The numbers catalogues are made of, [sign] digits [. digits] with at most
// fifteen digits on either side, read eight bytes at a time: byte by byte,
// every run of digits ended in a mispredicted branch, and numbers are most of
// a catalogue.  The rest of "%lg" is number_reading.cpp's, which gives the
// same value and stops at the same byte on the numbers taken here.

#include <cfloat>
#include <cstdint>

#include "catalogue/bits.h"
#include "catalogue/powers_of_ten.h"

namespace input {
namespace plain {

// Bytes the buffer must hold from the first digit on, unless the file ends
// there (past its end the buffer holds zeros): two blocks, the '.', two more.
const long kRoom = 40;

// How many of the eight bytes of `block`, first byte lowest, are digits
// before the first one that is not.  Digits become 0-9 under the xor; any
// other byte has a high nibble or turns 0x1? when 6 is added.  A carry out of
// a byte comes only from one already marked, and runs only to later bytes.
inline int leading_digits(uint64_t block) {
  const uint64_t x = block ^ 0x3030303030303030u;
  const uint64_t marks =
      (x & 0xF0F0F0F0F0F0F0F0u) | ((x + 0x0606060606060606u) & 0x1010101010101010u);
  return marks == 0 ? 8 : bits::trailing_zeros(marks) / 8;
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

// Up to sixteen digits at p: their value when there are at most fifteen,
// and how many (16 means too many).
inline uint64_t digit_run(const unsigned char* p, int* count) {
  const uint64_t first = bits::load_little_endian(p);
  const int n = leading_digits(first);
  if (n < 8) {
    *count = n;
    return n == 0 ? 0 : digits_value(first, n);
  }
  const uint64_t second = bits::load_little_endian(p + 8);
  const int m = leading_digits(second);
  *count = 8 + m;
  const uint64_t high = digits_value(first, 8) * kIntegerPowersOfTen[m];
  return m == 0 ? high : high + digits_value(second, m);
}

// Reads a number at p, white space first, from a buffer that ends at `end`
// (and, when `last` says the file ends there too, holds zeros after it).
// On success the value is set and the position after the number returned;
// null, with nothing set, for anything the general reader must take.
CATALIX_ALWAYS_INLINE const unsigned char* scan(const unsigned char* p, const unsigned char* end, bool last,
                                 double* value) {
#if FLT_EVAL_METHOD == 0
  while (p != end && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) ++p;
  if (p == end) return nullptr;
  const bool negative = *p == '-';
  if (negative || *p == '+') ++p;
  const unsigned char* q = p;  // the first digit
  if (end - q < kRoom && !last) return nullptr;
  // Most numbers have at most eight digits: the '.' is taken out of the
  // first block, the digits after it close up, and one conversion follows.
  uint64_t block = bits::load_little_endian(q);
  const int whole = leading_digits(block);
  const bool dot = whole < 8 && q[whole] == '.';
  int digits = whole;
  if (dot) {
    const uint64_t below = (uint64_t{1} << (8 * whole)) - 1;
    block = (block & below) | ((block >> 8) & ~below) |
            (bits::load_little_endian(q + 8) << 56);
    digits = leading_digits(block);
  }
  uint64_t m = 0;
  int scale = 0;
  if (digits < 8) {
    if (digits == 0) return nullptr;  // a sign or a '.' alone
    m = digits_value(block, digits);
    scale = digits - whole;
    q += digits + (dot ? 1 : 0);
  } else {
    // Longer: each side on its own, at most fifteen digits each and
    // nineteen in all, so that m cannot overflow.
    int count = 0;
    m = digit_run(q, &count);
    if (count > 15) return nullptr;
    q += count;
    if (*q == '.') {
      const uint64_t fraction = digit_run(q + 1, &scale);
      if (scale > 15 || count + scale > 19) return nullptr;
      m = m * kIntegerPowersOfTen[scale] + fraction;
      q += 1 + scale;
    }
    if (m > (uint64_t{1} << 53)) return nullptr;
  }
  // An exponent or a hexadecimal number: the general reader knows them.
  const int after = *q | 0x20;
  if (after == 'e' || after == 'x') return nullptr;
  // Both exact, so one division rounds correctly.
  const double magnitude = static_cast<double>(m) / kPowersOfTen[scale];
  *value = negative ? -magnitude : magnitude;
  return q;
#else
  // Computed in a wider type, the division above could round twice.
  (void)p, (void)end, (void)last, (void)value;
  return nullptr;
#endif
}

}  // namespace plain
}  // namespace input

#endif  // CATALIX_CATALOGUE_PLAIN_NUMBER_H_
