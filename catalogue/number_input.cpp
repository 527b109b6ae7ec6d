// Reading numbers as glibc's scanf "%lg" and "%d" do, without scanf.
//
// scanf is slow (a lock, a format parse and a growing buffer per number), so
// the characters it would consume are read here by its own rules, one
// getc_unlocked at a time with at most one character stepped back, and the
// number is converted with std::from_chars.  The rules, each checked against
// glibc's fscanf:
//
// - White space (isspace) is skipped; the end of input there fails.
// - A sign may come first; the end of input right after it fails.
// - "nan" and "inf"/"infinity", any case.  A mismatching character inside
//   them is consumed and fails.  "nan" stops after its 'n' (no "(chars)");
//   "inf" reads one more character to look for "inity" and steps back over
//   it when it is not 'i'.
// - "0x"/"0X" starts a hexadecimal number with a binary exponent 'p'.
// - Then digits (hexadecimal ones before the exponent of a hexadecimal
//   number), one '.' (not after the exponent), one exponent letter (only
//   after a digit), a sign only right after the exponent letter.  The first
//   character that fits none of these is stepped back over.
// - Everything read stays read.  The value is that of the longest number at
//   the start of what was read ("1e+" is 1); nothing at all fails ("-", ".",
//   "+.", "0x"), but "0x." is 0.
//
// Memory stays bounded however long the digit run: leading zeros only move
// the exponent, and digits past the first kDecimalDigits (kHexDigits) only
// count and mark whether a non-zero one was dropped.  That mark becomes one
// more digit '1', which rounds the same way as the dropped ones: no rounding
// boundary of a double needs more than 767 significant decimal digits.

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
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

// The significant digits of a number, bounded, with the power of the base
// that scales them.
class Digits {
 public:
  explicit Digits(int capacity) : capacity_(capacity) {}

  void add_integer_digit(char d) {
    if (count_ == 0 && d == '0') return;
    if (count_ < capacity_) {
      text_[count_++] = d;
    } else {
      ++scale_;
      if (d != '0') dropped_non_zero_ = true;
    }
  }

  void add_fraction_digit(char d) {
    if (count_ == 0 && d == '0') {
      --scale_;
    } else if (count_ < capacity_) {
      text_[count_++] = d;
      --scale_;
    } else if (d != '0') {
      dropped_non_zero_ = true;
    }
  }

  bool is_zero() const { return count_ == 0; }

  // Writes the digits, with the mark of dropped ones, to `out`; returns the
  // end and adds the change of scale to `scale`.
  char* write(char* out, long long* scale) const {
    for (int i = 0; i < count_; ++i) *out++ = text_[i];
    *scale = scale_;
    if (dropped_non_zero_) {
      *out++ = '1';
      --*scale;
    }
    return out;
  }

 private:
  int capacity_;
  char text_[kDecimalDigits];
  int count_ = 0;
  long long scale_ = 0;  // in digits of the base; bounded by what was read
  bool dropped_non_zero_ = false;
};

// A decimal exponent as written, saturated.
class Exponent {
 public:
  void set_negative() { negative_ = true; }
  void add_digit(int c) {
    has_digits_ = true;
    if (value_ < kExponentClamp) value_ = value_ * 10 + (c - '0');
  }
  long long value() const {
    if (!has_digits_) return 0;  // "1e" and "1e+" are 1
    return negative_ ? -value_ : value_;
  }

 private:
  bool negative_ = false;
  bool has_digits_ = false;
  long long value_ = 0;
};

long long clamp(long long x) {
  if (x > kExponentClamp) return kExponentClamp;
  if (x < -kExponentClamp) return -kExponentClamp;
  return x;
}

double signed_value(bool negative, double magnitude) {
  return negative ? -magnitude : magnitude;
}

// Converts digits × base^exponent exactly, rounding to nearest.
double convert(bool negative, bool hex, const Digits& digits,
               long long exponent) {
  if (digits.is_zero()) return signed_value(negative, 0.0);
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
  double value = 0.0;
  const auto result = std::from_chars(
      from, p, value, hex ? std::chars_format::hex : std::chars_format::general);
  if (result.ec == std::errc() && result.ptr == p) return value;

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

}  // namespace

bool read_double(FILE* file, double* value) {
  int c;
  do {
    c = read_char(file);
  } while (c != kEnd && std::isspace(c));
  if (c == kEnd) return false;

  bool negative = false;
  if (c == '-' || c == '+') {
    negative = c == '-';
    c = read_char(file);
    if (c == kEnd) return false;
  }

  if (lower(c) == 'n') {
    if (!read_rest_of_word(file, "nan")) return false;
    *value = signed_value(negative, std::numeric_limits<double>::quiet_NaN());
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
    *value = signed_value(negative, std::numeric_limits<double>::infinity());
    return true;
  }

  bool hex = false;
  bool got_digit = false;  // a digit of the significand
  bool got_dot = false;
  bool got_exponent = false;
  bool after_exponent_letter = false;
  if (c == '0') {
    c = read_char(file);
    if (c == 'x' || c == 'X') {
      hex = true;
      c = read_char(file);
    } else {
      got_digit = true;
    }
  }

  Digits digits(hex ? kHexDigits : kDecimalDigits);
  Exponent exponent;
  const int exponent_letter = hex ? 'p' : 'e';
  for (; c != kEnd; c = read_char(file)) {
    const bool was_after_letter = after_exponent_letter;
    after_exponent_letter = false;
    if (got_exponent && is_digit(c)) {
      exponent.add_digit(c);
    } else if (is_digit(c) || (hex && !got_exponent && is_hex_digit(c))) {
      got_digit = true;
      const char d = static_cast<char>(c);
      if (got_dot) {
        digits.add_fraction_digit(d);
      } else {
        digits.add_integer_digit(d);
      }
    } else if (was_after_letter && (c == '-' || c == '+')) {
      if (c == '-') exponent.set_negative();
    } else if (got_digit && !got_exponent && lower(c) == exponent_letter) {
      got_exponent = true;
      got_dot = true;
      after_exponent_letter = true;
    } else if (c == '.' && !got_dot) {
      got_dot = true;
    } else {
      step_back(file, c);
      break;
    }
  }

  // Nothing read but the sign or the "0x" fails; so does a lone '.'.
  if (hex ? !(got_digit || got_dot) : !got_digit) return false;
  *value = convert(negative, hex, digits, exponent.value());
  return true;
}

bool read_int(FILE* file, int* value) {
  int c;
  do {
    c = read_char(file);
  } while (c != kEnd && std::isspace(c));
  if (c == kEnd) return false;

  bool negative = false;
  if (c == '-' || c == '+') {
    negative = c == '-';
    c = read_char(file);
  }
  // scanf converts with strtol, which saturates at the range of long; the
  // long is then cut to int.
  const unsigned long limit = negative
      ? static_cast<unsigned long>(std::numeric_limits<long>::max()) + 1
      : static_cast<unsigned long>(std::numeric_limits<long>::max());
  unsigned long magnitude = 0;
  bool got_digit = false;
  for (; is_digit(c); c = read_char(file)) {
    got_digit = true;
    const unsigned long d = static_cast<unsigned long>(c - '0');
    magnitude = magnitude > (limit - d) / 10 ? limit : magnitude * 10 + d;
  }
  step_back(file, c);
  if (!got_digit) return false;
  const unsigned long bits = negative ? 0UL - magnitude : magnitude;
  *value = static_cast<int>(static_cast<unsigned int>(bits));
  return true;
}

}  // namespace input
