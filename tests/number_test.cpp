// The two number conversions against the C library's own: numbers read one
// after another across block ends against fscanf "%lg", and writing against
// snprintf in the formats the page and the dumps use (tests/number_outcomes
// compares single numbers with fscanf on every build).
// CATALIX_NUMBER_CASES=n sets the generated cases per test (default 200000).

#include <cinttypes>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/source.h"
#include "number_generator.h"
#include "report/printf_number.h"

namespace {

const char kScratch[] = "number_test_input";

// Numbers one after another through blocks of 71 bytes, so that blocks end
// inside numbers and the white space between them.
TEST(NumberReading, OneAfterAnotherAcrossBlockEnds) {
  Generator g;
  std::string text;
  for (long i = 0; i < case_count() / 20; ++i) {
    text += g.pick({"", " ", "  ", "\n", "\t"}) + g.pick({"", "-"}) +
            (g.below(4) == 0 ? g.number() : g.digits(1 + g.below(9)) + "." + g.digits(g.below(9)));
  }
  FILE* theirs = std::fopen(kScratch, "wb+");
  ASSERT_NE(nullptr, theirs);
  std::fwrite(text.data(), 1, text.size(), theirs);
  std::fflush(theirs);
  std::rewind(theirs);
  input::source ours(kScratch, 71);
  int failures = 0;
  while (failures < 10 && !std::feof(theirs)) {
    double a = 0.5, b = 0.5;
    const bool ok = ours.read_double(&a);
    const bool fscanf_ok = std::fscanf(theirs, "%lg", &b) == 1;
    const long at = std::ftell(theirs);
    if (std::memcmp(&a, &b, sizeof a) != 0 || ok != fscanf_ok || ours.offset() != at) {
      ++failures;
      ADD_FAILURE() << "at " << at << ": " << a << "/" << b << " ok " << ok << "/" << fscanf_ok
                    << " position " << ours.offset();
    }
    // A failed reading may have read nothing: go on past its byte.
    if (!ok) {
      ours.get();
      std::getc(theirs);
    }
  }
  std::fclose(theirs);
  std::remove(kScratch);
}

std::string ours(int length, const char* text) { return std::string(text, size_t(length)); }

TEST(NumberWriting, GeneralAsPrintf) {
  Generator g;
  std::vector<double> values = {0.0, -0.0, INFINITY, -INFINITY, NAN, 1e-16, 1e-20, 1e-80, 4.9e-324,
                                2.2250738585072014e-308, 1.7976931348623157e308, 1e100, 1e-100};
  for (int e = -30; e <= 30; ++e) {
    for (double m : {1.0, 9.9999999995, 9.999995, 9.9999999999999}) values.push_back(m * std::pow(10, e));
  }
  for (long i = 0; i < case_count(); ++i) values.push_back(g.below(2) ? g.any_double() : g.short_decimal());
  int failures = 0;
  for (double x : values) {
    for (auto [width, precision] : {std::pair{12, 10}, {12, 6}, {10, 9}, {1, 17}, {0, 0}}) {
      char text[printf_number::kBufferSize], want[80];
      const int n = printf_number::general(text, x, width, precision);
      std::snprintf(want, sizeof want, "%-*.*g", width, precision, x);
      if (ours(n, text) != want && ++failures <= 10) {
        ADD_FAILURE() << "%-" << width << "." << precision << "g of " << want << ": " << ours(n, text);
      }
    }
  }
}

TEST(NumberWriting, IntegersAsPrintf) {
  Generator g;
  std::vector<int> values = {0, 1, -1, 9, 10, 99, 100, INT32_MAX, INT32_MIN};
  for (long i = 0; i < case_count() / 10; ++i) values.push_back(int(g.bits() >> g.below(64)));
  for (int x : values) {
    char text[printf_number::kBufferSize], want[40];
    std::snprintf(want, sizeof want, "%-6.1i", x);
    EXPECT_EQ(want, ours(printf_number::signed_decimal(text, x, 6, 1), text));
    std::snprintf(want, sizeof want, "%-2.2u", unsigned(x));
    EXPECT_EQ(want, ours(printf_number::unsigned_decimal(text, unsigned(x), 2, 2), text));
  }
}

}  // namespace
