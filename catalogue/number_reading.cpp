// Numbers as fscanf's "%lg" and "%d" read them, without scanf (a lock, a
// format parse and a growing buffer per number).  The plain numbers are taken
// eight digits at a time (plain_number.h); the rest byte by byte here, by
// scanf's rules, each checked against glibc's fscanf:
// - white space is skipped, then one sign; the end of input there fails;
// - "nan", "inf" and "infinity" in any case; a mismatching byte inside them is
//   consumed and fails; "nan" stops after its 'n', "inf" reads one byte more
//   to look for "inity" and steps back over it when it is not 'i';
// - "0x" starts a hexadecimal number with a binary exponent 'p';
// - digits, one '.' and digits, then, after a digit, the exponent letter, one
//   sign and decimal digits; the first byte that does not fit is stepped back
//   over, and everything else read stays read;
// - the value is that of the longest number at the start of what was read
//   ("1e+" is 1); no digit at all fails ("-", ".", "0x"), but "0x." is 0.
// Memory stays bounded however long the digits run (see mantissa).

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "catalogue/plain_number.h"
#include "catalogue/source.h"

namespace input {
namespace {

const int kDigitsKept = 800;
// Beyond this a decimal (binary) exponent gives infinity or zero whatever the
// digits kept, so larger ones are clamped to keep the sums in range.
const long long kExponentClamp = 100000000;

bool is_digit(int c) { return c >= '0' && c <= '9'; }

int lower(int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool is_digit_in(int c, bool hex) {
  return is_digit(c) || (hex && lower(c) >= 'a' && lower(c) <= 'f');
}

long long clamp(long long x) {
  return x > kExponentClamp ? kExponentClamp : x < -kExponentClamp ? -kExponentClamp : x;
}

// The significant digits of a number and the power of the base that scales
// them.  Past kDigitsKept digits only count, with a mark for a non-zero one.
class mantissa {
 public:
  void add(int digit, bool after_point) {
    if (count_ == 0 && digit == '0') {
      if (after_point) --scale_;  // leading zeros only move the point
    } else if (count_ < kDigitsKept) {
      text_[count_++] = static_cast<char>(digit);
      if (after_point) --scale_;
    } else {
      if (!after_point) ++scale_;
      if (digit != '0') dropped_non_zero_ = true;
    }
  }

  // The value times base^exponent, rounded to nearest.  A dropped non-zero
  // digit becomes one more digit '1', which rounds the same way as the
  // dropped ones: no rounding boundary of a double needs more than 767
  // significant decimal digits.
  double value(bool negative, bool hex, long long exponent) {
    if (count_ == 0) return negative ? -0.0 : 0.0;
    // "-0x" in front of the digits, then their mark and the exponent.
    char text[3 + kDigitsKept + 1 + 1 + 24];
    char* p = text + 3;
    for (int i = 0; i < count_; ++i) *p++ = text_[i];
    long long scale = scale_;
    if (dropped_non_zero_) {
      *p++ = '1';
      --scale;
    }
    // A hexadecimal digit is four bits of the binary exponent.
    *p++ = hex ? 'p' : 'e';
    p = std::to_chars(p, text + sizeof text - 1, clamp(exponent + (hex ? 4 * scale : scale))).ptr;
    *p = '\0';
    char* from = text + 3;
    if (negative) *--from = '-';
    double x = 0.0;
    // Without from_chars for double (libc++ before 20, so FreeBSD's base
    // system) strtod takes every number: as exact, only slower.
#if defined(__cpp_lib_to_chars)
    const auto result =
        std::from_chars(from, p, x, hex ? std::chars_format::hex : std::chars_format::general);
    if (result.ec == std::errc() && result.ptr == p) return x;
#endif
    // Out of range: strtod gives infinity or the underflowed value as scanf
    // does; with no decimal point written the locale plays no part.
    if (hex) {
      from = negative ? text : text + 1;
      std::memcpy(from, negative ? "-0x" : "0x", negative ? 3 : 2);
    }
    const int saved_errno = errno;
    x = std::strtod(from, nullptr);
    errno = saved_errno;
    return x;
  }

 private:
  char text_[kDigitsKept];
  int count_ = 0;
  long long scale_ = 0;  // in digits of the base; bounded by what was read
  bool dropped_non_zero_ = false;
};

// Reads the bytes of `word` (lower case) after its first one.  A mismatching
// byte is consumed, as scanf does.
bool read_rest_of_word(source& in, const char* word) {
  for (const char* w = word + 1; *w != '\0'; ++w) {
    if (lower(in.get()) != *w) return false;
  }
  return true;
}

// An exponent as written after its letter, saturated.  One without digits
// counts as none: "1e" and "1e+" are 1.  Returns the byte after it.
int read_exponent(source& in, long long* exponent) {
  bool negative = false;
  long long value = 0;
  int c = in.get();
  if (c == '-' || c == '+') {
    negative = c == '-';
    c = in.get();
  }
  for (; is_digit(c); c = in.get()) {
    if (value < kExponentClamp) value = value * 10 + (c - '0');
  }
  *exponent = negative ? -value : value;
  return c;
}

// The start both conversions share: white space skipped, then an optional
// sign.  Returns the byte after them.
int scan_start(source& in, bool* negative) {
  int c = in.get();
  while (is_space(c)) c = in.get();
  if (c == '-' || c == '+') {
    *negative = c == '-';
    c = in.get();
  }
  return c;
}

// Returns the byte read past the number, kEnd for none.
int scan_double(source& in, double* value, bool* ok) {
  bool negative = false;
  int c = scan_start(in, &negative);
  if (c == kEnd) return kEnd;
  const double sign = negative ? -1.0 : 1.0;
  if (lower(c) == 'n' || lower(c) == 'i') {
    const bool nan = lower(c) == 'n';
    if (!read_rest_of_word(in, nan ? "nan" : "inf")) return kEnd;
    c = nan ? kEnd : in.get();
    if (lower(c) == 'i') {
      if (!read_rest_of_word(in, "inity")) return kEnd;
      c = kEnd;
    }
    *value = nan ? std::copysign(std::numeric_limits<double>::quiet_NaN(), sign)
                 : sign * std::numeric_limits<double>::infinity();
    *ok = true;
    return c;
  }
  bool got_digit = false;
  bool hex = false;
  if (c == '0') {
    got_digit = true;
    c = in.get();
    if (c == 'x' || c == 'X') {
      hex = true;
      got_digit = false;
      c = in.get();
    }
  }
  mantissa digits;
  for (; is_digit_in(c, hex); c = in.get()) {
    got_digit = true;
    digits.add(c, false);
  }
  bool got_point = false;
  if (c == '.') {
    got_point = true;
    for (c = in.get(); is_digit_in(c, hex); c = in.get()) {
      got_digit = true;
      digits.add(c, true);
    }
  }
  // No digit at all fails ("-", ".", "0x"), but "0x." is 0.
  if (!got_digit && !(hex && got_point)) return c;
  long long exponent = 0;
  if (got_digit && lower(c) == (hex ? 'p' : 'e')) c = read_exponent(in, &exponent);
  *value = digits.value(negative, hex, exponent);
  *ok = true;
  return c;
}

}  // namespace

bool source::read_double_slowly(double* value, piece what, const unsigned char* after) {
  const long long begin = offset();
  bool ok = false;
  // At a block's end the number may still be plain once the next is in.
  if (after == nullptr && next_ == end_ && refill()) after = plain::scan(next_, end_, ended_, value);
  if (after != nullptr) {
    next_ = after;
    ok = true;
  } else {
    // Set only when the whole number has been read, as scanf does.
    double v = *value;
    step_back(scan_double(*this, &v, &ok));
    if (ok) *value = v;
  }
  mark(what, begin, ok ? 1 : 0);
  return ok;
}

bool source::read_int(int* value) {
  bool negative = false;
  int c = scan_start(*this, &negative);
  // scanf converts with strtol, which saturates at the range of a 64-bit
  // long; the long is then cut to int.  Done in 64 bits everywhere, so that
  // the value is the same where long is narrower.
  const uint64_t limit = negative ? static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1
                                  : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t magnitude = 0;
  bool got_digit = false;
  for (; is_digit(c); c = get()) {
    got_digit = true;
    const uint64_t d = static_cast<uint64_t>(c - '0');
    magnitude = magnitude > (limit - d) / 10 ? limit : magnitude * 10 + d;
  }
  step_back(c);
  if (!got_digit) return false;
  const uint64_t bits = negative ? 0 - magnitude : magnitude;
  *value = static_cast<int>(static_cast<unsigned int>(bits));
  return true;
}

}  // namespace input
