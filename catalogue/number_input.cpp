// Reading numbers as glibc's scanf "%lg" and "%d" do, without scanf.
//
// scanf is slow (a lock, a format parse and a growing buffer per number), so
// the characters it would consume are read here by its own rules, one at a
// time (from the stream's buffer where it shows, else by getc_unlocked) with
// at most one character stepped back, and the number is converted exactly.
// The common numbers do not get here: plain_number.h takes them, eight
// digits at a time.  The rules, each checked against glibc's fscanf:
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
#include <cstring>
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
template <class Reader>
bool read_rest_of_word(Reader& in, const char* word) {
  for (const char* w = word + 1; *w != '\0'; ++w) {
    if (lower(in.get()) != *w) return false;
  }
  return true;
}

double with_sign(bool negative, double magnitude) {
  return negative ? -magnitude : magnitude;
}

// The significant digits of a number, bounded, with the power of the base
// that scales them.  Readers keep these in locals while reading (so that
// they stay in registers) and gather them here only for the slow conversion.
struct Digits {
  // Decimal digits up to this many are exact in a double.
  static const int kLeading = 15;

  const char* text;  // the digits from index `in_leading` on
  int in_leading;    // how many of the first digits `leading` holds
  uint64_t leading;
  int count;
  long long scale;  // in digits of the base; bounded by what was read
  bool dropped_non_zero;

  // Writes the digits, with the mark of dropped ones, to `out`; returns the
  // end and the scale that goes with what was written.
  char* write(char* out, long long* scale_out) const {
    // The first kept digit is never 0, so this gives all of them.
    if (in_leading > 0) out = std::to_chars(out, out + kLeading, leading).ptr;
    for (int i = in_leading; i < count; ++i) *out++ = text[i];
    *scale_out = scale;
    if (dropped_non_zero) {
      *out++ = '1';
      --*scale_out;
    }
    return out;
  }
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
template <class Reader>
int read_exponent(Reader& in, Exponent* exponent) {
  int c = in.get();
  if (c == '-' || c == '+') {
    if (c == '-') exponent->set_negative();
    c = in.get();
  }
  for (; is_digit(c); c = in.get()) exponent->add_digit(c);
  return c;
}

long long clamp(long long x) {
  if (x > kExponentClamp) return kExponentClamp;
  if (x < -kExponentClamp) return -kExponentClamp;
  return x;
}

// When the digits and the power of ten are both exact doubles, one
// multiplication or division rounds correctly.  Needs arithmetic done in
// double, not in a wider type.
inline bool convert_fast(uint64_t leading, int count, long long total,
                         double* value) {
#if FLT_EVAL_METHOD == 0
  if (count > Digits::kLeading || total < -22 || total > 22) return false;
  const double m = static_cast<double>(leading);
  *value = total >= 0 ? m * plain::kPowersOfTen[total] : m / plain::kPowersOfTen[-total];
  return true;
#else
  (void)leading;
  (void)count;
  (void)total;
  (void)value;
  return false;
#endif
}

// Converts non-zero digits × base^exponent exactly, rounding to nearest.
// Kept out of line: the common numbers never get here.
[[gnu::noinline]] double convert_slow(bool negative, bool hex, const Digits& digits,
                                      long long exponent) {
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

// The scanners below start with the character `c` already read and return
// the one character they read past the number (kEnd for none), which the
// caller steps back over or hands on.

// The rest of a number after its "0x".
template <class Reader>
int scan_hexadecimal(Reader& in, bool negative, double* value, bool* ok) {
  char text[kHexDigits];
  int count = 0;
  long long scale = 0;
  bool dropped_non_zero = false;
  bool got_digit = false;
  bool got_dot = false;
  int c = in.get();
  for (; is_hex_digit(c); c = in.get()) {
    got_digit = true;
    if (count == 0 && c == '0') continue;
    if (count < kHexDigits) {
      text[count++] = static_cast<char>(c);
    } else {
      ++scale;
      if (c != '0') dropped_non_zero = true;
    }
  }
  if (c == '.') {
    got_dot = true;
    for (c = in.get(); is_hex_digit(c); c = in.get()) {
      got_digit = true;
      if (count == 0 && c == '0') {
        --scale;
      } else if (count < kHexDigits) {
        text[count++] = static_cast<char>(c);
        --scale;
      } else if (c != '0') {
        dropped_non_zero = true;
      }
    }
  }
  // "0x" alone fails; "0x." reads as 0.
  if (!got_digit && !got_dot) {
    *ok = false;
    return c;
  }
  Exponent exponent;
  if (got_digit && (c == 'p' || c == 'P')) c = read_exponent(in, &exponent);
  *ok = true;
  if (count == 0) {
    *value = with_sign(negative, 0.0);
  } else {
    const Digits digits{text, 0, 0, count, scale, dropped_non_zero};
    *value = convert_slow(negative, true, digits, exponent.value());
  }
  return c;
}

// Digits, one '.' and digits, then an exponent.  `got_digit` says whether a
// leading zero was read before `c`.
template <class Reader>
int scan_decimal(Reader& in, int c, bool negative, bool got_digit,
                 double* value, bool* ok) {
  const int kLeading = Digits::kLeading;
  char text[kDecimalDigits];
  uint64_t leading = 0;
  int count = 0;
  long long scale = 0;
  bool dropped_non_zero = false;

  // Leading zeros are worth nothing; the first kLeading significant digits
  // go to `leading`, the others to `text` or, past its end, to the scale.
  for (; c == '0'; c = in.get()) got_digit = true;
  for (; count < kLeading && is_digit(c); c = in.get()) {
    leading = leading * 10 + static_cast<unsigned>(c - '0');
    ++count;
  }
  for (; is_digit(c); c = in.get()) {
    if (count < kDecimalDigits) {
      text[count++] = static_cast<char>(c);
    } else {
      ++scale;
      if (c != '0') dropped_non_zero = true;
    }
  }
  if (c == '.') {
    c = in.get();
    if (count == 0) {
      for (; c == '0'; c = in.get()) {
        got_digit = true;
        --scale;
      }
    }
    for (; count < kLeading && is_digit(c); c = in.get()) {
      leading = leading * 10 + static_cast<unsigned>(c - '0');
      ++count;
      --scale;
    }
    for (; is_digit(c); c = in.get()) {
      if (count < kDecimalDigits) {
        text[count++] = static_cast<char>(c);
        --scale;
      } else if (c != '0') {
        dropped_non_zero = true;
      }
    }
  }
  // Nothing read but a sign or a '.' fails.
  if (!got_digit && count == 0) {
    *ok = false;
    return c;
  }
  Exponent exponent;
  if (c == 'e' || c == 'E') c = read_exponent(in, &exponent);
  *ok = true;
  if (count == 0) {
    *value = with_sign(negative, 0.0);
  } else if (convert_fast(leading, count, exponent.value() + scale, value)) {
    *value = with_sign(negative, *value);
  } else {
    const Digits digits{text,  count < kLeading ? count : kLeading,
                        leading, count, scale, dropped_non_zero};
    *value = convert_slow(negative, false, digits, exponent.value());
  }
  return c;
}

// The start both conversions share: white space skipped, then an optional
// sign.  Returns the character after them; the end of input there fails
// the conversion, with the sign consumed.
template <class Reader>
int scan_start(Reader& in, int c, bool* negative) {
  while (is_space(c)) c = in.get();
  if (c == '-' || c == '+') {
    *negative = c == '-';
    c = in.get();
  }
  return c;
}

template <class Reader>
int scan_double(Reader& in, int c, double* value, bool* ok) {
  *ok = false;
  bool negative = false;
  c = scan_start(in, c, &negative);
  if (c == kEnd) return kEnd;

  if (lower(c) == 'n') {
    if (!read_rest_of_word(in, "nan")) return kEnd;
    *value = with_sign(negative, std::numeric_limits<double>::quiet_NaN());
    *ok = true;
    return kEnd;
  }
  if (lower(c) == 'i') {
    if (!read_rest_of_word(in, "inf")) return kEnd;
    c = in.get();
    if (lower(c) == 'i') {
      if (!read_rest_of_word(in, "inity")) return kEnd;
      c = kEnd;
    }
    *value = with_sign(negative, std::numeric_limits<double>::infinity());
    *ok = true;
    return c;
  }

  if (c == '0') {
    c = in.get();
    if (c == 'x' || c == 'X') return scan_hexadecimal(in, negative, value, ok);
    return scan_decimal(in, c, negative, true, value, ok);
  }
  return scan_decimal(in, c, negative, false, value, ok);
}

template <class Reader>
int scan_int(Reader& in, int c, int* value, bool* ok) {
  bool negative = false;
  c = scan_start(in, c, &negative);
  *ok = false;
  if (c == kEnd) return kEnd;
  // scanf converts with strtol, which saturates at the range of a 64-bit
  // long; the long is then cut to int.  Done in 64 bits everywhere, so that
  // the value is the same where long is narrower.
  const uint64_t limit = negative
      ? static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1
      : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t magnitude = 0;
  bool got_digit = false;
  for (; is_digit(c); c = in.get()) {
    got_digit = true;
    const uint64_t d = static_cast<uint64_t>(c - '0');
    magnitude = magnitude > (limit - d) / 10 ? limit : magnitude * 10 + d;
  }
  if (!got_digit) return c;
  const uint64_t bits = negative ? 0 - magnitude : magnitude;
  *value = static_cast<int>(static_cast<unsigned int>(bits));
  *ok = true;
  return c;
}

const uint64_t kIntegerPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000,
                                        10000000, 100000000};

// Up to 15 digits at p: their value, and how many (16 means too many).
uint64_t digit_run(const unsigned char* p, int* count) {
  using plain::digits_value;
  const uint64_t first = plain::load_block(p);
  const int n = plain::leading_digits(first);
  if (n < 8) {
    *count = n;
    return n == 0 ? 0 : digits_value(first, n);
  }
  const uint64_t second = plain::load_block(p + 8);
  const int m = plain::leading_digits(second);
  *count = 8 + m;
  const uint64_t high = digits_value(first, 8) * kIntegerPowersOfTen[m];
  return m == 0 ? high : high + digits_value(second, m);
}

}  // namespace

namespace plain {

const double kPowersOfTen[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

const unsigned char* scan_long(const unsigned char* q, bool negative, double* value) {
  int whole = 0;
  uint64_t m = digit_run(q, &whole);
  if (whole > 15) return nullptr;
  q += whole;
  int fraction = 0;
  if (*q == '.') {
    ++q;
    const uint64_t f = digit_run(q, &fraction);
    if (fraction > 15 || whole + fraction > 19) return nullptr;
    q += fraction;
    // A digit count up to 19 cannot overflow.
    for (int i = fraction; i > 0; i -= 8) m *= kIntegerPowersOfTen[i < 8 ? i : 8];
    m += f;
  }
  const int after = *q | 0x20;
  if (whole + fraction == 0 || after == 'e' || after == 'x' || m > (uint64_t{1} << 53)) {
    return nullptr;
  }
  // Both exact, so one division rounds correctly.
  const double magnitude = static_cast<double>(m) / kPowersOfTen[fraction];
  *value = negative ? -magnitude : magnitude;
  return q;
}

}  // namespace plain

// The scanners run first on the bytes already buffered and, only when they
// run out before the number ends, again on the stream from the same place.
// Each run starts from the caller's value, so a run that ran out leaves
// nothing behind.

namespace {

// A reading that leaves the character after the number unread.
template <typename T, typename Scan>
bool read_stepping_back(FILE* file, T* value, Scan scan) {
  T v = *value;
  bool ok = false;
  window_reader window(file);
  const int c = scan(window, window.get(), &v, &ok);
  if (window.ran_out()) {
    v = *value;
    stream_reader stream(file);
    step_back(file, scan(stream, stream.get(), &v, &ok));
  } else {
    window.commit(c);
  }
  *value = v;
  return ok;
}

}  // namespace

bool read_double_scanning(FILE* file, double* value) {
  return read_stepping_back(file, value, [](auto& in, int c, double* v, bool* ok) {
    return scan_double(in, c, v, ok);
  });
}

int read_double_from_scanning(FILE* file, int pending, double* value) {
  double v = *value;
  bool ok = false;
  window_reader window(file);
  int c = scan_double(window, pending != kEnd ? pending : window.get(), &v, &ok);
  if (window.ran_out()) {
    v = *value;
    stream_reader stream(file);
    c = scan_double(stream, next_char(file, pending), &v, &ok);
  } else {
    window.commit();
  }
  *value = v;
  return c;
}

bool read_int(FILE* file, int* value) {
  return read_stepping_back(file, value, [](auto& in, int c, int* v, bool* ok) {
    return scan_int(in, c, v, ok);
  });
}

}  // namespace input
