#include "report/printf_number.h"

#include <charconv>

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
  std::fwrite(text, 1, static_cast<size_t>(length), file);
}

}  // namespace

int general(char* out, double x, int width, int precision) {
  const auto result = std::to_chars(out, out + kBufferSize, x,
                                    std::chars_format::general, precision);
  return pad(out, static_cast<int>(result.ptr - out), width);
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
