#include "report/printf_number.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "report/output.h"

namespace printf_number {
namespace {

// Blanks after the text up to the width, as the '-' flag does.
int pad(char* out, int length, int width) {
  while (length < width) out[length++] = ' ';
  return length;
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

const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

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
  const double candidate = std::nearbyint(scaled);
  if (candidate >= 9007199254740992.0) return false;
  const double back = s >= 0 ? candidate / kPowersOfTen[s] : candidate * kPowersOfTen[-s];
  if (back != x) return false;
  *m = static_cast<uint64_t>(candidate);
  *scale = s;
  return true;
}

// "%.Pg" of a positive normal double written by way of its short decimal,
// when that has at most P significant digits; -1 otherwise.  The P-digit
// grid is far coarser than the spacing of doubles, so x lies much closer to
// that decimal than to any other P-digit number, and rounding x to P digits
// gives that decimal.  Zeros, subnormals, infinities and NaNs are left to
// the general conversion, as are numbers that need more digits.
int general_from_short_decimal(char* out, double x, int precision) {
#if FLT_EVAL_METHOD == 0
  const bool negative = std::signbit(x);
  const double magnitude = std::fabs(x);
  if (!(magnitude >= DBL_MIN && magnitude <= DBL_MAX) || precision > 15) return -1;
  uint64_t m = 0;
  int scale = 0;
  if (!short_decimal(magnitude, precision, &m, &scale)) return -1;
  // Trailing zeros say nothing in %g.
  while (m % 10000 == 0) {
    m /= 10000;
    scale -= 4;
  }
  while (m % 10 == 0) {
    m /= 10;
    scale -= 1;
  }
  char digits[24];
  int count = 0;
  for (uint64_t rest = m; rest != 0; rest /= 10) {
    digits[sizeof digits - 1 - count++] = static_cast<char>('0' + rest % 10);
  }
  if (count > precision) return -1;
  const char* first = digits + sizeof digits - count;
  const int exponent = count - 1 - scale;

  int length = 0;
  if (negative) out[length++] = '-';
  if (exponent < -4 || exponent >= precision) {
    out[length++] = first[0];
    if (count > 1) {
      out[length++] = '.';
      for (int i = 1; i < count; ++i) out[length++] = first[i];
    }
    out[length++] = 'e';
    out[length++] = exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    if (e >= 100) out[length++] = static_cast<char>('0' + e / 100);
    out[length++] = static_cast<char>('0' + e / 10 % 10);
    out[length++] = static_cast<char>('0' + e % 10);
  } else if (exponent >= 0) {
    for (int i = 0; i <= exponent; ++i) out[length++] = i < count ? first[i] : '0';
    if (count > exponent + 1) {
      out[length++] = '.';
      for (int i = exponent + 1; i < count; ++i) out[length++] = first[i];
    }
  } else {
    out[length++] = '0';
    out[length++] = '.';
    for (int i = -1; i > exponent; --i) out[length++] = '0';
    for (int i = 0; i < count; ++i) out[length++] = first[i];
  }
  return length;
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
