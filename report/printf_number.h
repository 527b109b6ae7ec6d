#ifndef CATALIX_REPORT_PRINTF_NUMBER_H_
#define CATALIX_REPORT_PRINTF_NUMBER_H_

// Numbers written exactly as printf writes them with a left-justified
// conversion ("%-W.Pg", "%-W.Pi", "%-W.Pu"), without printf: no format to
// parse, no locale.  The general format comes from std::to_chars, whose
// general format with a precision is defined as printf's "%.Pg".

#include <cstdio>

namespace printf_number {

// Enough for any of the conversions below with a width up to kMaxWidth.
const int kMaxWidth = 32;
const int kMaxPrecision = 17;
const int kBufferSize = 64;

// Each writes into `out` (kBufferSize bytes, no terminating NUL) and returns
// the length.  Widths above kMaxWidth and precisions above kMaxPrecision are
// not supported.
int general(char* out, double x, int width, int precision);
int signed_decimal(char* out, int n, int width, int precision);
int unsigned_decimal(char* out, unsigned int n, int width, int precision);

// The same, written to a stream.
void write_general(FILE* file, double x, int width, int precision);
void write_signed_decimal(FILE* file, int n, int width, int precision);
void write_unsigned_decimal(FILE* file, unsigned int n, int width,
                            int precision);

}  // namespace printf_number

#endif  // CATALIX_REPORT_PRINTF_NUMBER_H_
