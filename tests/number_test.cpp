// The two number conversions against the C library's own: reading against
// glibc's fscanf "%lg" and "%d" (success, the value bit for bit and left
// alone on failure, where the stream stands, its end flag and next byte),
// and writing against snprintf in the formats the page and the dumps use.
// CATALIX_NUMBER_CASES=n sets the generated cases per test (default 200000).

#include <cinttypes>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/input.h"
#include "report/printf_number.h"

namespace {

long case_count() {
  const char* n = std::getenv("CATALIX_NUMBER_CASES");
  return n != nullptr ? std::atol(n) : 200000;
}

// Random pieces of numbers, weighted towards the places where rules change.
struct Generator {
  std::mt19937_64 random{20240607};
  uint64_t bits() { return random(); }
  int below(int n) { return static_cast<int>(random() % static_cast<uint64_t>(n)); }
  std::string pick(const std::vector<std::string>& from) { return from[below(int(from.size()))]; }
  std::string digits(int n, const char* set = "0123456789") {
    std::string s;
    const int size = int(std::strlen(set));
    while (n-- > 0) s += set[below(size)];
    return s;
  }
  double any_double() {
    double d;
    const uint64_t b = bits();
    std::memcpy(&d, &b, sizeof d);
    return d;
  }
  // A double from a short decimal, as catalogues hold them.
  double short_decimal() {
    return std::strtod((digits(1 + below(12)) + "e" + std::to_string(below(40) - 20)).c_str(), nullptr);
  }
  std::string number() {
    char text[64];
    switch (below(9)) {
      case 0: std::snprintf(text, sizeof text, "%.17g", any_double()); return text;
      case 1: std::snprintf(text, sizeof text, "%a", any_double()); return text;
      case 2: std::snprintf(text, sizeof text, "%.*g", 1 + below(17), short_decimal()); return text;
      case 3: return pick({"0x", "0X"}) + digits(below(20), "0123456789abcdefABCDEF.") +
                     pick({"", "p", "P", "p-", "p+"}) + digits(below(6));
      case 4: return pick({"i", "in", "inf", "infin", "infinit", "infinity", "INFINITY", "n",
                           "na", "nan", "NaN", "nan(1)", "nanx", "infx", "inx"});
      case 5: return digits(below(8), "0123456789.eE+-xXpPin \n");
      case 6: return std::string(below(40), '0') + digits(below(900)) + "." + digits(below(30)) +
                     "e" + pick({"", "-", "+"}) + digits(below(4));
      default: return digits(below(25), "0123456789.") + pick({"", "e", "E", "e+", "e-", "e5", "e-400"});
    }
  }
  std::string around(const std::string& body) {
    return pick({"", "", " ", "\n", "\t\r\v\f "}) + pick({"", "", "-", "+"}) + body +
           pick({"", "\n", "\r\n", " ", "e", ".", "x", "5", "p1", ":", "/", "$"});
  }
};

struct Outcome {
  bool ok;
  uint64_t bits;
  long position;
  bool at_end;
  int next;
  bool operator==(const Outcome& o) const {
    return ok == o.ok && bits == o.bits && position == o.position && at_end == o.at_end &&
           next == o.next;
  }
};

// Each input is read twice: after a seek, with nothing buffered, and after
// a read of the byte before it, with the whole input buffered.
template <typename T, typename Read, typename Scan>
void compare_reading(const std::vector<std::string>& inputs, Read read, Scan scan) {
  FILE* f = std::tmpfile();
  ASSERT_NE(nullptr, f);
  bool buffered = false;
  auto outcome = [&](bool ours) {
    std::rewind(f);
    if (buffered) {
      std::getc(f);
    } else {
      std::fseek(f, 1, SEEK_SET);
    }
    T value;
    std::memset(&value, 0x55, sizeof value);
    Outcome o{ours ? read(f, &value) : scan(f, &value) == 1, 0, 0, false, 0};
    std::memcpy(&o.bits, &value, sizeof value);
    o.position = std::ftell(f);
    o.at_end = std::feof(f) != 0;
    o.next = std::getc(f);
    return o;
  };
  int failures = 0;
  for (const std::string& input : inputs) {
    for (bool b : {false, true}) {
      // Buffered, the input is followed by enough bytes for the reading
      // that works on the buffer alone.
      const std::string text = "X" + input + (b ? std::string(48, '#') : "");
      std::rewind(f);
      std::fwrite(text.data(), 1, text.size(), f);
      std::fflush(f);
      ASSERT_EQ(0, ftruncate(fileno(f), long(text.size())));
      buffered = b;
      const Outcome ours = outcome(true), theirs = outcome(false);
      if (!(ours == theirs) && ++failures <= 10) {
        ADD_FAILURE() << "input \"" << input.substr(0, 200) << "\" buffered " << b << ": ok "
                      << ours.ok << "/" << theirs.ok << " bits " << std::hex << ours.bits << "/"
                      << theirs.bits << std::dec << " position " << ours.position << "/"
                      << theirs.position << " next " << ours.next << "/" << theirs.next;
      }
    }
  }
  std::fclose(f);
}

TEST(NumberReading, DoublesAsFscanf) {
  Generator g;
  std::vector<std::string> inputs = {
      "", "-", "+.", "- 1", "1e+", "1e-x", "0x", "0x.", "0x.p1", "0xp1", "1,5", "\xa0" "7",
      "1\x00" "2", "2.4703282292062327e-324", "2.4703282292062328e-324", "1.7976931348623159e308",
      "1e0000000000000000000000000000000000005", "1e-99999999999999999999",
      "0x1p99999999999999999999", "1.00000000000000011102230246251565404236316680908203125" +
          std::string(2000, '0') + "1"};
  for (int n : {766, 767, 768, 799, 800, 801, 5000}) {
    const std::string zeros(n, '0');
    for (std::string s : {zeros, "1" + zeros, "0." + zeros + "1e" + std::to_string(n),
                          std::string(n, '9') + "e-" + std::to_string(n + 300), "0x" + zeros + "1",
                          "0x1." + zeros + "1"})
      inputs.push_back(s);
  }
  for (long i = 0; i < case_count(); ++i) inputs.push_back(g.around(g.number()));
  compare_reading<double>(inputs, input::read_double,
                          [](FILE* f, double* d) { return std::fscanf(f, "%lg", d); });
}

TEST(NumberReading, IntegersAsFscanf) {
  Generator g;
  std::vector<std::string> inputs = {"", "-", "- 1", "0x5", "2147483648", "-2147483649",
                                     "4294967297", "9223372036854775808", "-9223372036854775809",
                                     "18446744073709551616", "99999999999999999999999"};
  for (long i = 0; i < case_count(); ++i) {
    inputs.push_back(g.around(g.below(4) == 0 ? g.number() : g.digits(1 + g.below(25))));
  }
  compare_reading<int>(inputs, input::read_int, [](FILE* f, int* n) { return std::fscanf(f, "%d", n); });
}

// Numbers one after another through a small buffer, so that the buffer
// ends inside numbers and the white space between them.
TEST(NumberReading, ChainedAcrossBufferEnds) {
  Generator g;
  std::string text;
  for (long i = 0; i < case_count() / 20; ++i) {
    text += g.pick({"", " ", "  ", "\n", "\t"}) + g.pick({"", "-"}) +
            (g.below(4) == 0 ? g.number() : g.digits(1 + g.below(9)) + "." + g.digits(g.below(9)));
  }
  FILE* ours = std::tmpfile();
  FILE* theirs = std::tmpfile();
  ASSERT_TRUE(ours != nullptr && theirs != nullptr);
  for (FILE* f : {ours, theirs}) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
  }
  char small[71];
  std::setvbuf(ours, small, _IOFBF, sizeof small);
  // The chain hands on the character after the number, when it read one;
  // fscanf leaves it unread.
  int pending = EOF, failures = 0;
  while (failures < 10 && !std::feof(theirs)) {
    double a = 0.5, b = 0.5;
    pending = input::read_double_from(ours, pending, &a);
    const bool ok = std::fscanf(theirs, "%lg", &b) == 1;
    const long at = std::ftell(theirs);
    const int next = std::getc(theirs);
    std::ungetc(next, theirs);
    if (std::memcmp(&a, &b, sizeof a) != 0 ||
        std::ftell(ours) - (pending != EOF ? 1 : 0) != at ||
        (pending != EOF && pending != next)) {
      ++failures;
      ADD_FAILURE() << "at " << at << ": " << a << "/" << b << " ok " << ok << " next "
                    << pending << "/" << next;
    }
    // A failed reading may have read nothing: go on past its character.
    if (!ok) {
      if (pending == EOF) std::getc(ours);
      pending = EOF;
      std::getc(theirs);
    }
  }
  std::fclose(ours);
  std::fclose(theirs);
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
