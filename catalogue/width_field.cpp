#include "catalogue/width_field.h"

#include <charconv>
#include <cstdlib>

double log_n_as_written(double x) {
  // Below 1e15 the shortest fixed digits number at most 17, and with the
  // scaled base they fit a long long; larger values have no fraction left.
  if (!(x >= kColumnDensityStart && x < 1e15)) return log_n_computed(x);
  char digits[32];
  const std::to_chars_result result =
      std::to_chars(digits, digits + sizeof digits, x, std::chars_format::fixed);
  long long scaled = 0;
  long long base = 100000;
  int decimals = 0;
  bool fraction = false;
  for (const char* p = digits; p != result.ptr; ++p) {
    if (*p == '.') {
      fraction = true;
      continue;
    }
    scaled = scaled * 10 + (*p - '0');
    if (fraction) base *= 10, ++decimals;
  }
  // The difference as "digits e-decimals", read back to the nearest double.
  char text[48];
  char* end = std::to_chars(text, text + 24, scaled - base).ptr;
  *end++ = 'e';
  *end++ = '-';
  end = std::to_chars(end, text + sizeof text, decimals).ptr;
  *end = '\0';
  // As the number reader does: strtod where from_chars lacks double (libc++
  // before 20); without a decimal point the locale plays no part.
#if defined(__cpp_lib_to_chars)
  double log_n = log_n_computed(x);
  std::from_chars(text, end, log_n);
  return log_n;
#else
  return std::strtod(text, nullptr);
#endif
}
