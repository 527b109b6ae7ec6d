#include "report/printf_number.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "catalogue/bits.h"
#include "catalogue/powers_of_ten.h"
#include "report/output.h"

namespace printf_number {
namespace {

// Blanks after the text up to the width, as the '-' flag does.  One block
// of kMaxWidth blanks: `out` has room for it after any text shorter than a
// width.
int pad(char* out, int length, int width) {
  if (length >= width) return length;
  std::memset(out + length, ' ', kMaxWidth);
  return width;
}

// The digits of n, at least `precision` of them (zeros in front); a zero
// with precision 0 has none.
int digits(char* out, unsigned int n, int precision) {
  char reversed[16];
  int count = 0;
  while (n != 0) {
    reversed[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  int length = 0;
  for (int i = count; i < precision; ++i) out[length++] = '0';
  while (count > 0) out[length++] = reversed[--count];
  return length;
}

void write(FILE* file, const char* text, int length) {
  output::put(file, std::string_view(text, static_cast<size_t>(length)));
}

// A decimal m × 10^-scale of at most `digits` + 2 digits that reads back as
// the positive normal double x; false when there is none that short, or x
// is out of the range tried.  x is scaled so that m holds `digits` + 1 or
// + 2 digits (the estimate of x's exponent may be one too small); when a
// shorter decimal reads back as x, m is that decimal followed by zeros,
// since x lies within half a unit in the last place of it and the scaling
// errs by far less than half a unit of m.  The candidate is checked by
// converting it back: with m below 2^53 and 10^|scale| exact, one division
// or multiplication rounds correctly.
bool short_decimal(double x, int digits, uint64_t* m, int* scale) {
  // x = f × 2^e with 1 <= f < 2; floor(e × log10(2)) is floor(log10(x)) or
  // one less.  78913 / 2^18 is log10(2) closely enough for every e here.
  uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  const int e = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
  const int estimate = (e * 78913) >> 18;
  const int s = digits - estimate;
  if (s < -22 || s > 22) return false;
  const double scaled = s >= 0 ? x * kPowersOfTen[s] : x / kPowersOfTen[-s];
  // Rounded to the nearest integer, ties to even, as nearbyint does in the
  // default rounding mode: below 2^52, adding 2^52 leaves no fraction bits
  // and rounds in the addition; above it, doubles are integers already.
  // (nearbyint itself is a call that saves and restores the FPU state.)
  const double kNoFractionBits = 4503599627370496.0;  // 2^52
  const double candidate =
      scaled < kNoFractionBits ? (scaled + kNoFractionBits) - kNoFractionBits : scaled;
  if (candidate >= 9007199254740992.0) return false;
  const double back = s >= 0 ? candidate / kPowersOfTen[s] : candidate * kPowersOfTen[-s];
  if (back != x) return false;
  *m = static_cast<uint64_t>(candidate);
  *scale = s;
  return true;
}

// The two-digit pairs 00 to 99.
const char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Digits are copied in blocks of this many, past the last one needed.
constexpr int kBlock = 16;

// The `count` digits of m at the start of `text`, zeros after them.
void write_digits(char (&text)[16 + 2 * kBlock], uint64_t m, int count) {
  std::memset(text, '0', sizeof text);
  char* digit = text + count;
  for (; m >= 100; m /= 100) {
    digit -= 2;
    std::memcpy(digit, kPairs + 2 * (m % 100), 2);
  }
  if (m >= 10) {
    std::memcpy(digit - 2, kPairs + 2 * m, 2);
  } else {
    digit[-1] = static_cast<char>('0' + m);
  }
}

// %g's layout of `count` significant digits `first` (zeros after them for
// a block) whose first stands at 10^exponent.  Returns the length.
int lay_out_general(char* out, bool negative, const char* first, int count, int exponent, int precision) {
  char* p = out;
  if (negative) *p++ = '-';
  if (exponent < -4 || exponent >= precision) {
    *p++ = first[0];
    if (count > 1) {
      *p++ = '.';
      std::memcpy(p, first + 1, kBlock);
      p += count - 1;
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    if (e >= 100) *p++ = static_cast<char>('0' + e / 100);
    std::memcpy(p, kPairs + 2 * (e % 100), 2);
    p += 2;
  } else if (exponent >= 0) {
    // The integer part, with zeros where the digits end before the point.
    const int integer_digits = exponent + 1;
    std::memcpy(p, first, kBlock);
    p += integer_digits;
    if (count > integer_digits) {
      *p++ = '.';
      std::memcpy(p, first + integer_digits, kBlock);
      p += count - integer_digits;
    }
  } else {
    const int zeros = -exponent - 1;  // at most 3
    std::memcpy(p, "0.000", 5);
    p += 2 + zeros;
    std::memcpy(p, first, kBlock);
    p += count;
  }
  return static_cast<int>(p - out);
}

// "%.Pg" of a positive normal double written by way of its short decimal,
// when that has at most P significant digits; -1 otherwise.  The P-digit
// grid is far coarser than the spacing of doubles, so x lies much closer to
// that decimal than to any other P-digit number, and rounding x to P digits
// gives that decimal.  Zeros, subnormals, infinities and NaNs are left to
// the general conversion, as are numbers that need more digits.
//
// Digits are moved in fixed blocks of kBlock bytes, which compile to a few
// plain moves; the block may run past the digits into the zeros that
// follow them, and past the text into the rest of `out`.
int general_from_short_decimal(char* out, double x, int precision) {
#if FLT_EVAL_METHOD == 0
  const bool negative = std::signbit(x);
  const double magnitude = std::fabs(x);
  if (!(magnitude >= DBL_MIN && magnitude <= DBL_MAX) || precision > 15) return -1;
  uint64_t m = 0;
  int scale = 0;
  if (!short_decimal(magnitude, precision, &m, &scale)) return -1;
  // Trailing zeros say nothing in %g: m loses them, and the scale with it.
  // m < 10^16 is not 0 (x is normal), so it has at most 15 of them.
  for (const int zeros : {8, 4, 2, 1}) {
    const uint64_t power = kIntegerPowersOfTen[zeros];
    if (m % power == 0) {
      m /= power;
      scale -= zeros;
    }
  }
  // The digits of m: its bits give the count or one more (1233 / 4096 is
  // just above log10(2)).
  const int estimate = ((64 - bits::leading_zeros(m)) * 1233) >> 12;
  const int count = estimate + (m >= kIntegerPowersOfTen[estimate] ? 1 : 0);
  if (count > precision) return -1;
  char text[16 + 2 * kBlock];
  write_digits(text, m, count);
  return lay_out_general(out, negative, text, count, count - 1 - scale, precision);
#else
  (void)out;
  (void)x;
  (void)precision;
  return -1;
#endif
}

}  // namespace

int general(char* out, double x, int width, int precision) {
  int length = general_from_short_decimal(out, x, precision == 0 ? 1 : precision);
  if (length < 0) {
    length = static_cast<int>(std::to_chars(out, out + kBufferSize, x,
                                            std::chars_format::general, precision)
                                  .ptr -
                              out);
  }
  return pad(out, length, width);
}

int signed_decimal(char* out, int n, int width, int precision) {
  int length = 0;
  unsigned int magnitude = static_cast<unsigned int>(n);
  if (n < 0) {
    out[length++] = '-';
    magnitude = 0u - magnitude;
  }
  length += digits(out + length, magnitude, precision);
  return pad(out, length, width);
}

int unsigned_decimal(char* out, unsigned int n, int width, int precision) {
  return pad(out, digits(out, n, precision), width);
}

void write_general(FILE* file, double x, int width, int precision) {
  // Straight into the page's buffer when there is one.
  if (char* room = output::room(file, kBufferSize)) {
    output::commit(static_cast<std::size_t>(general(room, x, width, precision)));
    return;
  }
  char text[kBufferSize];
  write(file, text, general(text, x, width, precision));
}

void write_signed_decimal(FILE* file, int n, int width, int precision) {
  char text[kBufferSize];
  write(file, text, signed_decimal(text, n, width, precision));
}

void write_unsigned_decimal(FILE* file, unsigned int n, int width,
                            int precision) {
  char text[kBufferSize];
  write(file, text, unsigned_decimal(text, n, width, precision));
}

}  // namespace printf_number
