// Number formatting against the C library's snprintf with each format the
// page and the dump use, over specials, boundaries where %g switches between
// its fixed and exponent forms or a rounding carries, and random doubles.
//
// CATALIX_FORMAT_CASES=n sets the number of random doubles (default 100000).

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "report/number_format.h"
#include "report/printf_number.h"
#include "test_support.h"

namespace {

struct GeneralFormat {
  int width;
  int precision;
  const char* printf_format;
};

// "%-12.10g" (page tables, dump headers), "%-10.9g" (query bounds),
// "%-12.6g" (dump line records).
const GeneralFormat kGeneralFormats[] = {
    {12, 10, "%-12.10g"}, {10, 9, "%-10.9g"}, {12, 6, "%-12.6g"}};

std::string ours(double x, const GeneralFormat& f) {
  char text[printf_number::kBufferSize];
  return std::string(text, static_cast<size_t>(printf_number::general(
                               text, x, f.width, f.precision)));
}

std::string theirs(double x, const GeneralFormat& f) {
  char text[128];
  std::snprintf(text, sizeof text, f.printf_format, x);
  return text;
}

std::string bits_of(double x) {
  uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  char text[40];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(b));
  return text;
}

// Compares every format on `x`, reporting at most a few failures.
class Checker {
 public:
  void check(double x) {
    for (const GeneralFormat& f : kGeneralFormats) {
      ++cases_;
      const std::string a = ours(x, f);
      const std::string b = theirs(x, f);
      if (a != b && ++failures_ <= 20) {
        ADD_FAILURE() << f.printf_format << " of " << bits_of(x) << ": ["
                      << a << "] against printf's [" << b << "]";
      }
    }
  }
  void check_with_neighbours(double x) {
    double below = x;
    double above = x;
    check(x);
    for (int i = 0; i < 3; ++i) {
      below = std::nextafter(below, -INFINITY);
      above = std::nextafter(above, INFINITY);
      check(below);
      check(above);
    }
  }
  long cases() const { return cases_; }

 private:
  long cases_ = 0;
  int failures_ = 0;
};

TEST(PrintfNumber, GeneralMatchesPrintfOnSpecialsAndBoundaries) {
  const double specials[] = {0.0, -0.0, INFINITY, -INFINITY, NAN, -NAN, DBL_MAX, -DBL_MAX,
                   DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN, 1.0, -1.0, 0.1, 1e-5,
                   0.0001, 1e10, 1e9, 1e6, 1e5, 123456789012.0, 9.9999999995,
                   9.999999999499999, 99999.95, 999999.5, 0.5, 2.5, 1e-16, 1e-20,
                   1e-40, 1e-60, 1e-80, 100001.23, 1215.67, 1548.204};
  Checker c;
  for (double x : specials) c.check_with_neighbours(x);
  // Where rounding to P digits carries into a new power of ten, which moves
  // %g between its forms: 9.99..95 × 10^k for every k and P.
  for (int precision = 1; precision <= 17; ++precision) {
    for (int k = -330; k <= 310; ++k) {
      const std::string nines(static_cast<size_t>(precision), '9');
      const std::string text = "0." + nines + "5e" + std::to_string(k);
      c.check_with_neighbours(std::strtod(text.c_str(), nullptr));
      c.check_with_neighbours(std::pow(10.0, k));
    }
  }
  // Short decimals, as catalogues write them, in every position around the
  // point and on both sides of where %g changes form.
  for (const char* digits : {"1", "25", "5004.8", "1548204", "123456789", "1234567891",
                             "12345678901", "99999995", "100000000"}) {
    for (int k = -30; k <= 30; ++k) {
      const std::string text = std::string(digits) + "e" + std::to_string(k);
      c.check_with_neighbours(std::strtod(text.c_str(), nullptr));
      c.check_with_neighbours(-std::strtod(text.c_str(), nullptr));
    }
  }
  EXPECT_GT(c.cases(), 100000);
}

TEST(PrintfNumber, GeneralMatchesPrintfOnRandomDoubles) {
  const char* setting = std::getenv("CATALIX_FORMAT_CASES");
  const long n = setting != nullptr ? std::atol(setting) : 100000;
  std::mt19937_64 random(7);
  Checker c;
  for (long i = 0; i < n; ++i) {
    const uint64_t b = random();
    double x;
    std::memcpy(&x, &b, sizeof x);
    c.check(x);
    // Numbers of catalogue size, and short decimals that sit on a digit.
    c.check(std::ldexp(static_cast<double>(b >> 11),
                       static_cast<int>(random() % 100) - 80));
    c.check(static_cast<double>(static_cast<int64_t>(b) >> (random() % 64)) /
            std::pow(10.0, static_cast<int>(random() % 25)));
  }
  EXPECT_EQ(9 * n, c.cases());
}

TEST(PrintfNumber, IntegersMatchPrintf) {
  std::vector<int> values = {0, 1, -1, 9, 10, 99, 100, -9, -10, 99999, 100000,
                             999999, -99999, -100000, INT_MAX, INT_MIN, INT_MIN + 1};
  std::mt19937 random(3);
  for (int i = 0; i < 100000; ++i) {
    values.push_back(static_cast<int>(random()) >> (random() % 32));
  }
  int failures = 0;
  for (int n : values) {
    char a[printf_number::kBufferSize];
    char b[64];
    const int la = printf_number::signed_decimal(a, n, 6, 1);
    std::snprintf(b, sizeof b, "%-6.1i", n);
    if (std::string(a, static_cast<size_t>(la)) != b && ++failures <= 20) {
      ADD_FAILURE() << "%-6.1i of " << n << ": [" << std::string(a, la) << "]";
    }
    const int lu = printf_number::unsigned_decimal(a, static_cast<unsigned int>(n), 2, 2);
    std::snprintf(b, sizeof b, "%-2.2u", static_cast<unsigned int>(n));
    if (std::string(a, static_cast<size_t>(lu)) != b && ++failures <= 20) {
      ADD_FAILURE() << "%-2.2u of " << n << ": [" << std::string(a, lu) << "]";
    }
  }
  // The corners of width and precision the two formats never reach.
  char a[printf_number::kBufferSize];
  EXPECT_EQ("", std::string(a, printf_number::unsigned_decimal(a, 0, 0, 0)));
  EXPECT_EQ("-007  ", std::string(a, printf_number::signed_decimal(a, -7, 6, 3)));
}

// The page's and the dump's writers put exactly printf's text on the stream.
TEST(PrintfNumber, WritersPutPrintfsTextOnTheStream) {
  const double doubles[] = {0.0, -0.0, 1215.67, -1.0, 1e-16, 9.9999999995,
                            123456789012.0, INFINITY, -NAN, 3.0e-310};
  const int ints[] = {0, 7, -7, 42, 999999, INT_MIN, INT_MAX};
  FILE* f = std::tmpfile();
  std::string expected;
  char text[128];
  for (double x : doubles) {
    write_table_number(f, x);
    write_bound(f, x);
    printf_number::write_general(f, x, 12, 6);
    std::snprintf(text, sizeof text, "%-12.10g%-10.9g%-12.6g|", x, x, x);
    std::fputc('|', f);
    expected += text;
  }
  for (int n : ints) {
    write_count(f, n);
    write_size(f, n);
    std::snprintf(text, sizeof text, "%-6.1i%-2.2u|", n, static_cast<unsigned int>(n));
    std::fputc('|', f);
    expected += text;
  }
  std::rewind(f);
  EXPECT_EQ(expected, test::rest_of(f));
  std::fclose(f);
}

}  // namespace
