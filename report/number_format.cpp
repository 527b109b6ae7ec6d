#include "report/number_format.h"

#include <charconv>

#include "report/symbols.h"

void write_general(FILE* out, double x, int width, int precision) {
  // to_chars with a precision is defined as printf's "%.<precision>g" in the
  // C locale, "inf" and "nan" included; the longest text is about 25 bytes.
  char text[64];
  const std::to_chars_result result = std::to_chars(
      text, text + sizeof text, x, std::chars_format::general, precision);
  const int length = static_cast<int>(result.ptr - text);
  std::fwrite(text, 1, static_cast<std::size_t>(length), out);
  for (int i = length; i < width; ++i) std::fputc(' ', out);
}

void write_table_number(FILE* out, double x) { write_general(out, x, 12, 10); }

void write_rendered(FILE* out, double x) {
  if (special_symbol_treatment(x) != 0) {
    std::fputs(special_symbol_conversion(x).text, out);
  } else {
    write_table_number(out, x);
  }
}

void write_bound(FILE* out, double x) { write_general(out, x, 10, 9); }

void write_count(FILE* out, int n) { std::fprintf(out, "%-6.1i", n); }

void write_size(FILE* out, int n) {
  std::fprintf(out, "%-2.2u", static_cast<unsigned int>(n));
}
