// The "%-W.Pg" writer against the C library's printf on this platform (the
// reference: the page and the dump must read the same on every platform).

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "report/number_format.h"
#include "test_support.h"

namespace {

std::string written(double x, int width, int precision) {
  FILE* file = std::tmpfile();
  write_general(file, x, width, precision);
  std::rewind(file);
  std::string text = test::rest_of(file);
  std::fclose(file);
  return text;
}

std::string printed(double x, int width, int precision) {
  char text[128];
  std::snprintf(text, sizeof text, "%-*.*g", width, precision, x);
  return text;
}

void expect_same_for(const std::vector<double>& values) {
  const int kFormats[][2] = {{12, 10}, {10, 9}, {12, 6}};
  for (double x : values) {
    for (const auto& f : kFormats) {
      ASSERT_EQ(printed(x, f[0], f[1]), written(x, f[0], f[1]))
          << "value " << std::to_string(x) << " format %-" << f[0] << "." << f[1] << "g";
    }
  }
}

TEST(GeneralFormat, EdgeValuesReadAsPrintfWritesThem) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  expect_same_for({0.0, -0.0, 1, -1, 100000, 1000000, 1e8, 1e9, 1e10, 123456789,
                   1234567890, 12345678901.0, 0.0001, 0.00001, 1e-5, 9.9999999995e-5,
                   99999.99999, 999999999.5, 9999999999.5, 1e-16, 1e-20, 1e-40, 1e-80,
                   100021.41, 99990, 5004.8, 2382.765, 1234567.891234, -1.2, 0.5,
                   1e100, 1e300, 4.9e-324, 2.2250738585072014e-308,
                   1.7976931348623157e308, inf, -inf, nan, -nan});
}

TEST(GeneralFormat, RandomValuesReadAsPrintfWritesThem) {
  std::mt19937_64 random(20061);
  std::vector<double> values;
  for (int i = 0; i < 5000; ++i) {
    // Any bit pattern, and short decimals such as a catalogue holds.
    std::uint64_t bits = random();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    values.push_back(x);
    const double mantissa = static_cast<double>(random() % 2000001) / 1000.0 - 1000.0;
    values.push_back(mantissa * std::pow(10.0, static_cast<int>(random() % 41) - 20));
  }
  expect_same_for(values);
}

}  // namespace
