// Reading numbers as glibc's scanf "%lg" and "%d" do, without scanf.
//
// scanf is slow (a lock, a format parse and a growing buffer per number), so
// the characters it would consume are read here by its own rules, one
// getc_unlocked at a time with at most one character stepped back, and the
// number is converted exactly.  The rules, each checked against glibc's
// fscanf:
//
// - White space is skipped; the end of input there fails.
// - A sign may come first; the end of input right after it fails.
// - "nan" and "inf"/"infinity", any case.  A mismatching character inside
//   them is consumed and fails.  "nan" stops after its 'n' (no "(chars)");
//   "inf" reads one more character to look for "inity" and steps back over
//   it when it is not 'i'.
// - "0x"/"0X" starts a hexadecimal number with a binary exponent 'p'.
// - Then digits, one '.' and digits (hexadecimal ones in a hexadecimal
//   number), then, only if a digit came before, the exponent letter, one
//   sign right after it, and decimal digits.  The first character that does
//   not fit is stepped back over.
// - Everything read stays read.  The value is that of the longest number at
//   the start of what was read ("1e+" is 1); no digit at all fails ("-",
//   ".", "+.", "0x"), but "0x." is 0.
//
// Memory stays bounded however long the digit run: leading zeros only move
// the exponent, and digits past the first kDecimalDigits (kHexDigits) only
// count and mark whether a non-zero one was dropped.  That mark becomes one
// more digit '1', which rounds the same way as the dropped ones: no rounding
// boundary of a double needs more than 767 significant decimal digits.

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "catalogue/input.h"

namespace input {
namespace {

const int kDecimalDigits = 800;
const int kHexDigits = 32;
// Beyond this a decimal (binary) exponent gives infinity or zero whatever the
// digits kept, so larger ones are clamped to keep the sums in range.
const long long kExponentClamp = 100000000;

// scanf's white space in the C locale, the only one the program runs in.
bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool is_digit(int c) { return c >= '0' && c <= '9'; }

bool is_hex_digit(int c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int lower(int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Reads the characters of `word` (lower case) after its first one.  A
// mismatching character is consumed, as scanf does.
bool read_rest_of_word(FILE* file, const char* word) {
  for (const char* w = word + 1; *w != '\0'; ++w) {
    if (lower(read_char(file)) != *w) return false;
  }
  return true;
}

double with_sign(bool negative, double magnitude) {
  return negative ? -magnitude : magnitude;
}

// The significant digits of a number, bounded, with the power of the base
// that scales them.  The first kLeading decimal digits are kept as an
// integer only, for the fast conversion; the text of the rest lives outside,
// so that the counts can stay in registers while digits are read.
class Digits {
 public:
  // Decimal digits up to this many are exact in a double.
  static const int kLeading = 15;

  // Hexadecimal digits are all kept as text.
  Digits(char* text, int capacity, bool hex)
      : text_(text), capacity_(capacity), leading_limit_(hex ? 0 : kLeading) {}

  void add_integer_digit(int c) {
    if (count_ == 0 && c == '0') return;
    if (count_ < capacity_) {
      keep(c);
    } else {
      ++scale_;
      if (c != '0') dropped_non_zero_ = true;
    }
  }

  void add_fraction_digit(int c) {
    if (count_ == 0 && c == '0') {
      --scale_;
    } else if (count_ < capacity_) {
      keep(c);
      --scale_;
    } else if (c != '0') {
      dropped_non_zero_ = true;
    }
  }

  bool is_zero() const { return count_ == 0; }
  int count() const { return count_; }
  long long scale() const { return scale_; }
  uint64_t leading() const { return leading_; }

  // Writes the digits, with the mark of dropped ones, to `out`; returns the
  // end and the scale that goes with what was written.
  char* write(char* out, long long* scale) const {
    if (count_ > 0 && leading_limit_ > 0) {
      // The first kept digit is never 0, so this gives all of them.
      out = std::to_chars(out, out + kLeading, leading_).ptr;
    }
    for (int i = leading_limit_; i < count_; ++i) *out++ = text_[i];
    *scale = scale_;
    if (dropped_non_zero_) {
      *out++ = '1';
      --*scale;
    }
    return out;
  }

 private:
  // The first kLeading digits live only in `leading_`; the text holds the
  // ones after them.
  void keep(int c) {
    if (count_ < leading_limit_) {
      leading_ = leading_ * 10 + static_cast<unsigned>(c - '0');
    } else {
      text_[count_] = static_cast<char>(c);
    }
    ++count_;
  }

  char* text_;
  int capacity_;
  int leading_limit_;
  int count_ = 0;
  long long scale_ = 0;  // in digits of the base; bounded by what was read
  bool dropped_non_zero_ = false;
  uint64_t leading_ = 0;  // meaningful for decimal digits only
};

// An exponent as written, saturated.  One without digits counts as none:
// "1e" and "1e+" are 1.
class Exponent {
 public:
  void set_negative() { negative_ = true; }
  void add_digit(int c) {
    if (value_ < kExponentClamp) value_ = value_ * 10 + (c - '0');
  }
  long long value() const { return negative_ ? -value_ : value_; }

 private:
  bool negative_ = false;
  long long value_ = 0;
};

// Reads the exponent after its letter: an optional sign, then digits.
// Returns the character after it.
int read_exponent(FILE* file, Exponent* exponent) {
  int c = read_char(file);
  if (c == '-' || c == '+') {
    if (c == '-') exponent->set_negative();
    c = read_char(file);
  }
  for (; is_digit(c); c = read_char(file)) exponent->add_digit(c);
  return c;
}

long long clamp(long long x) {
  if (x > kExponentClamp) return kExponentClamp;
  if (x < -kExponentClamp) return -kExponentClamp;
  return x;
}

// Exact powers of ten for the fast conversion.
const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// When the digits and the power of ten are both exact doubles, one
// multiplication or division rounds correctly.  Needs arithmetic done in
// double, not in a wider type.
bool convert_fast(const Digits& digits, long long exponent, double* value) {
#if FLT_EVAL_METHOD == 0
  const long long total = exponent + digits.scale();
  if (digits.count() > Digits::kLeading ||
      total < -22 || total > 22) {
    return false;
  }
  const double m = static_cast<double>(digits.leading());
  *value = total >= 0 ? m * kPowersOfTen[total] : m / kPowersOfTen[-total];
  return true;
#else
  (void)digits;
  (void)exponent;
  (void)value;
  return false;
#endif
}

// Converts digits × base^exponent exactly, rounding to nearest.
double convert(bool negative, bool hex, const Digits& digits, long long exponent) {
  if (digits.is_zero()) return with_sign(negative, 0.0);
  double value = 0.0;
  if (!hex && convert_fast(digits, exponent, &value)) {
    return with_sign(negative, value);
  }
  // Room for "-0x" in front of the digits and their mark; then the exponent.
  char text[3 + kDecimalDigits + 1 + 1 + 24];
  char* const digits_start = text + 3;
  long long scale = 0;
  char* p = digits.write(digits_start, &scale);
  // A hexadecimal digit is four bits of the binary exponent.
  const long long total = clamp(exponent + (hex ? 4 * scale : scale));
  *p++ = hex ? 'p' : 'e';
  p = std::to_chars(p, text + sizeof text - 1, total).ptr;
  *p = '\0';

  // from_chars takes no "0x": give it the sign and the digits.
  const char* from = digits_start;
  if (negative) {
    text[2] = '-';
    from = text + 2;
  }
  // Standard libraries without from_chars for double (libc++ before 20, so
  // FreeBSD's base system) take strtod for every number: it rounds as
  // exactly, only slower.
#if defined(__cpp_lib_to_chars)
  const auto result = std::from_chars(
      from, p, value, hex ? std::chars_format::hex : std::chars_format::general);
  if (result.ec == std::errc() && result.ptr == p) return value;
#endif

  // Out of range: strtod gives infinity or the underflowed value as scanf
  // does.  No decimal point is written, so the locale plays no part.
  if (hex) {
    text[0] = '-';
    text[1] = '0';
    text[2] = 'x';
    from = negative ? text : text + 1;
  }
  const int saved_errno = errno;
  value = std::strtod(from, nullptr);
  errno = saved_errno;
  return value;
}

// The rest of a number after its "0x".
bool read_hexadecimal(FILE* file, bool negative, double* value) {
  char text[kHexDigits];
  Digits digits(text, kHexDigits, true);
  bool got_digit = false;
  bool got_dot = false;
  int c = read_char(file);
  for (; is_hex_digit(c); c = read_char(file)) {
    digits.add_integer_digit(c);
    got_digit = true;
  }
  if (c == '.') {
    got_dot = true;
    for (c = read_char(file); is_hex_digit(c); c = read_char(file)) {
      digits.add_fraction_digit(c);
      got_digit = true;
    }
  }
  // "0x" alone fails; "0x." reads as 0.
  if (!got_digit && !got_dot) {
    step_back(file, c);
    return false;
  }
  Exponent exponent;
  if (got_digit && (c == 'p' || c == 'P')) c = read_exponent(file, &exponent);
  step_back(file, c);
  *value = convert(negative, true, digits, exponent.value());
  return true;
}

// The start both conversions share: white space skipped, then an optional
// sign.  Returns the character after them; the end of input there fails
// the conversion, with the sign consumed.
int read_start(FILE* file, bool* negative) {
  int c;
  do {
    c = read_char(file);
  } while (is_space(c));
  if (c == '-' || c == '+') {
    *negative = c == '-';
    c = read_char(file);
  }
  return c;
}

}  // namespace

bool read_double(FILE* file, double* value) {
  bool negative = false;
  int c = read_start(file, &negative);
  if (c == kEnd) return false;

  if (lower(c) == 'n') {
    if (!read_rest_of_word(file, "nan")) return false;
    *value = with_sign(negative, std::numeric_limits<double>::quiet_NaN());
    return true;
  }
  if (lower(c) == 'i') {
    if (!read_rest_of_word(file, "inf")) return false;
    c = read_char(file);
    if (lower(c) == 'i') {
      if (!read_rest_of_word(file, "inity")) return false;
    } else {
      step_back(file, c);
    }
    *value = with_sign(negative, std::numeric_limits<double>::infinity());
    return true;
  }

  bool got_digit = false;
  if (c == '0') {
    c = read_char(file);
    if (c == 'x' || c == 'X') return read_hexadecimal(file, negative, value);
    got_digit = true;  // a leading zero, worth nothing more
  }
  char text[kDecimalDigits];
  Digits digits(text, kDecimalDigits, false);
  for (; is_digit(c); c = read_char(file)) {
    digits.add_integer_digit(c);
    got_digit = true;
  }
  if (c == '.') {
    for (c = read_char(file); is_digit(c); c = read_char(file)) {
      digits.add_fraction_digit(c);
      got_digit = true;
    }
  }
  // Nothing read but a sign or a '.' fails.
  if (!got_digit) {
    step_back(file, c);
    return false;
  }
  Exponent exponent;
  if (c == 'e' || c == 'E') c = read_exponent(file, &exponent);
  step_back(file, c);
  *value = convert(negative, false, digits, exponent.value());
  return true;
}

bool read_int(FILE* file, int* value) {
  bool negative = false;
  int c = read_start(file, &negative);
  if (c == kEnd) return false;
  // scanf converts with strtol, which saturates at the range of a 64-bit
  // long; the long is then cut to int.  Done in 64 bits everywhere, so that
  // the value is the same where long is narrower.
  const uint64_t limit = negative
      ? static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1
      : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t magnitude = 0;
  bool got_digit = false;
  for (; is_digit(c); c = read_char(file)) {
    got_digit = true;
    const uint64_t d = static_cast<uint64_t>(c - '0');
    magnitude = magnitude > (limit - d) / 10 ? limit : magnitude * 10 + d;
  }
  step_back(file, c);
  if (!got_digit) return false;
  const uint64_t bits = negative ? 0 - magnitude : magnitude;
  *value = static_cast<int>(static_cast<unsigned int>(bits));
  return true;
}

}  // namespace input
