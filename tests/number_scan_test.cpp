// The number reader against glibc's own fscanf "%lg" and "%d": the same bytes
// on a real stream, compared for success, value (bit for bit, also on
// failure: the value must stay untouched), the byte where the stream stands,
// the end-of-file flag and the next character.
//
// CATALIX_NUMBER_CASES=n sets the number of generated cases of each kind
// (default 400000); CATALIX_NUMBER_SEED=s changes the generated cases.

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/input.h"
#include "test_support.h"

#if defined(__GLIBC__)
#include <unistd.h>  // ftruncate
#endif

namespace {

// The rules in brief, as glibc's scanf showed them; if these fail, the
// differential tests below say more.
TEST(NumberScanDouble, KeepsScanfsRules) {
  struct Rule {
    const char* input;
    bool ok;
    double value;
    const char* rest;
  };
  const Rule rules[] = {
      {"1e+x", true, 1.0, "x"},  {"1e+", true, 1.0, ""},   {"-x", false, 0, "x"},
      {".x", false, 0, "x"},     {"+.e", false, 0, "e"},   {"1.2.3", true, 1.2, ".3"},
      {"0x.p1", true, 0, "p1"},  {"0xg", false, 0, "g"},   {"infx", true, INFINITY, "x"},
      {"infinx", false, 0, ""},  {"nax", false, 0, ""},    {"nan(1)", true, NAN, "(1)"},
      {"0x1p1f", true, 2, "f"},  {" \r\n7 ", true, 7, " "},
  };
  for (const Rule& r : rules) {
    FILE* f = test::stream_of(r.input);
    double d = -5.0;
    EXPECT_EQ(r.ok, input::read_double(f, &d)) << r.input;
    if (!r.ok) {
      EXPECT_EQ(-5.0, d) << r.input;
    } else if (std::isnan(r.value)) {
      EXPECT_TRUE(std::isnan(d)) << r.input;
    } else {
      EXPECT_EQ(r.value, d) << r.input;
    }
    EXPECT_EQ(r.rest, test::rest_of(f)) << r.input;
    std::fclose(f);
  }
}

TEST(NumberScanInt, SaturatesAsStrtolThenCutsToInt) {
  // The same figures everywhere, also where long has 32 bits.
  const std::pair<const char*, int> rules[] = {
      {"2147483648", INT_MIN}, {"-2147483649", INT_MAX}, {"4294967297", 1},
      {"99999999999999999999", -1}, {"-99999999999999999999", 0}};
  for (const auto& r : rules) {
    FILE* f = test::stream_of(r.first);
    int n = 5;
    EXPECT_TRUE(input::read_int(f, &n));
    EXPECT_EQ(r.second, n) << r.first;
    std::fclose(f);
  }
}

// The rest compares with glibc's fscanf itself, so it needs glibc.
#if defined(__GLIBC__)

long setting(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::atol(text) : fallback;
}

long case_count() { return setting("CATALIX_NUMBER_CASES", 400000); }

std::string escaped(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c >= 32 && c < 127 && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  if (out.size() > 200) out = out.substr(0, 100) + "..." + out.substr(out.size() - 60);
  return out;
}

struct Outcome {
  bool ok;
  uint64_t bits;
  long position;
  bool at_end;
  int next;

  bool operator==(const Outcome& o) const {
    return ok == o.ok && bits == o.bits && position == o.position &&
           at_end == o.at_end && next == o.next;
  }
};

std::string describe(const Outcome& o) {
  char text[160];
  std::snprintf(text, sizeof text, "ok=%d bits=%016llx pos=%ld eof=%d next=%d",
                o.ok, static_cast<unsigned long long>(o.bits), o.position,
                o.at_end, o.next);
  return text;
}

const uint64_t kUntouched = 0x5555555555555555ULL;

// One conversion from `start`, as the reader under test or as fscanf.
using Conversion = std::function<bool(FILE*, uint64_t*)>;

Outcome run(FILE* f, long start, const Conversion& convert) {
  std::fseek(f, start, SEEK_SET);
  std::clearerr(f);
  Outcome o;
  o.bits = kUntouched;
  o.ok = convert(f, &o.bits);
  o.position = std::ftell(f);
  o.at_end = std::feof(f) != 0;
  o.next = std::getc(f);
  return o;
}

bool reader_double(FILE* f, uint64_t* bits) {
  double d;
  std::memcpy(&d, bits, sizeof d);
  const bool ok = input::read_double(f, &d);
  std::memcpy(bits, &d, sizeof d);
  return ok;
}

bool scanf_double(FILE* f, uint64_t* bits) {
  double d;
  std::memcpy(&d, bits, sizeof d);
  const bool ok = std::fscanf(f, "%lg", &d) == 1;
  std::memcpy(bits, &d, sizeof d);
  return ok;
}

bool reader_int(FILE* f, uint64_t* bits) {
  int n = static_cast<int>(*bits & 0xffffffffu);
  const bool ok = input::read_int(f, &n);
  *bits = (*bits & ~0xffffffffULL) | static_cast<unsigned int>(n);
  return ok;
}

bool scanf_int(FILE* f, uint64_t* bits) {
  int n = static_cast<int>(*bits & 0xffffffffu);
  const bool ok = std::fscanf(f, "%d", &n) == 1;
  *bits = (*bits & ~0xffffffffULL) | static_cast<unsigned int>(n);
  return ok;
}

// Characters that end any number and are no white space, so cases can follow
// each other in one file: whatever a case makes the reader consume, it never
// reads past its terminator.
const char kTerminators[] = {'#', ';', ',', 'z', '(', '\x01', '\xff', '\0'};

// Feeds cases to both conversions.  Most cases sit in one file, each followed
// by a terminator; the cases that must end at the end of the input get the
// file to themselves.
class Differ {
 public:
  Differ(Conversion mine, Conversion theirs)
      : mine_(std::move(mine)), theirs_(std::move(theirs)) {
    batch_file_ = std::tmpfile();
    end_file_ = std::tmpfile();
  }
  ~Differ() {
    flush();
    std::fclose(batch_file_);
    std::fclose(end_file_);
  }

  // The case followed by a terminator chosen by `pick`.
  void followed(const std::string& body, unsigned pick) {
    batch_.push_back(body + kTerminators[pick % sizeof kTerminators]);
    if (batch_.size() >= 4096) flush();
  }

  // The case with every terminator, and at the end of the input.
  void everywhere(const std::string& body) {
    for (unsigned i = 0; i < sizeof kTerminators; ++i) followed(body, i);
    at_end(body);
  }

  void at_end(const std::string& body) {
    std::fseek(end_file_, 0, SEEK_SET);
    std::fwrite(body.data(), 1, body.size(), end_file_);
    std::fflush(end_file_);
    ASSERT_EQ(0, ftruncate(fileno(end_file_), static_cast<off_t>(body.size())));
    compare(end_file_, 0, body);
  }

  long cases() const { return cases_; }

  void flush() {
    if (batch_.empty()) return;
    std::fseek(batch_file_, 0, SEEK_SET);
    std::vector<long> starts;
    long offset = 0;
    for (const std::string& c : batch_) {
      starts.push_back(offset);
      std::fwrite(c.data(), 1, c.size(), batch_file_);
      offset += static_cast<long>(c.size());
    }
    std::fflush(batch_file_);
    ASSERT_EQ(0, ftruncate(fileno(batch_file_), static_cast<off_t>(offset)));
    for (size_t i = 0; i < batch_.size(); ++i) {
      compare(batch_file_, starts[i], batch_[i]);
    }
    batch_.clear();
  }

 private:
  void compare(FILE* f, long start, const std::string& bytes) {
    ++cases_;
    const Outcome theirs = run(f, start, theirs_);
    const Outcome mine = run(f, start, mine_);
    if (mine == theirs) return;
    if (++failures_ <= 20) {
      ADD_FAILURE() << "input \"" << escaped(bytes) << "\" at offset " << start
                    << "\n  reader: " << describe(mine)
                    << "\n  fscanf: " << describe(theirs);
    }
  }

  Conversion mine_;
  Conversion theirs_;
  FILE* batch_file_;
  FILE* end_file_;
  std::vector<std::string> batch_;
  long cases_ = 0;
  int failures_ = 0;
};

// ---------------------------------------------------------------------------
// Case generators

class Cases {
 public:
  Cases() : random_(static_cast<uint64_t>(setting("CATALIX_NUMBER_SEED", 1))) {}

  unsigned below(unsigned n) {
    return static_cast<unsigned>(random_() % n);
  }
  bool one_in(unsigned n) { return below(n) == 0; }
  uint64_t bits() { return random_(); }

  char from(const char* set) {
    return set[below(static_cast<unsigned>(std::strlen(set)))];
  }

  std::string digits(unsigned n, const char* set = "0123456789") {
    std::string s;
    for (unsigned i = 0; i < n; ++i) s.push_back(from(set));
    return s;
  }

  // A length mostly short, sometimes hundreds or thousands.
  unsigned length() {
    switch (below(10)) {
      case 0: return below(2000);
      case 1: return 300 + below(500);
      default: return below(25);
    }
  }

  std::string white_space() {
    std::string s;
    const unsigned n = one_in(3) ? below(4) : 0;
    for (unsigned i = 0; i < n; ++i) s.push_back(from(" \t\n\r\v\f"));
    if (one_in(20)) s += "\r\n";
    return s;
  }

  std::string sign() {
    switch (below(8)) {
      case 0: return "-";
      case 1: return "+";
      case 2: return one_in(4) ? std::string(1, from("+-")) + from("+-") : "-";
      default: return "";
    }
  }

  // Anything the reader looks at, and a few things it does not.
  std::string tail() {
    std::string s;
    const unsigned n = below(4);
    for (unsigned i = 0; i < n; ++i) {
      s.push_back(from("0123456789+-.eEpPxXaAfFiInNtTyY \t\n\r()_g"));
    }
    return s;
  }

  std::string decimal() {
    std::string s;
    if (one_in(6)) s += std::string(below(400), '0');
    s += digits(length());
    if (!one_in(4)) s += '.';
    if (one_in(6)) s += std::string(below(400), '0');
    s += digits(length());
    if (!one_in(3)) {
      s += from("eE");
      if (!one_in(3)) s += from("+-");
      if (one_in(8)) s += std::string(below(30), '0');
      s += digits(one_in(10) ? below(25) : below(4));
    }
    return s;
  }

  // Up to 20 digits with a small exponent: around the limits of the exact
  // conversion of short numbers (2^53, 10^22).
  std::string short_decimal() {
    std::string s = digits(1 + below(20));
    if (one_in(2)) s.insert(below(static_cast<unsigned>(s.size()) + 1), ".");
    return s + "e" + std::to_string(static_cast<int>(below(61)) - 30);
  }

  std::string hexadecimal() {
    std::string s = "0";
    s += from("xX");
    const char* hex = "0123456789abcdefABCDEF";
    if (one_in(6)) s += std::string(below(60), '0');
    s += digits(one_in(8) ? below(300) : below(20), hex);
    if (!one_in(3)) s += '.';
    s += digits(one_in(8) ? below(300) : below(20), hex);
    if (!one_in(3)) {
      s += from("pP");
      if (!one_in(3)) s += from("+-");
      s += digits(one_in(10) ? below(25) : below(5));
    }
    return s;
  }

  std::string word() {
    static const char* const kWords[] = {"nan", "inf", "infinity"};
    std::string w = kWords[below(3)];
    w = w.substr(0, one_in(2) ? w.size() : below(static_cast<unsigned>(w.size()) + 1));
    for (char& c : w) {
      if (one_in(2)) c = static_cast<char>(c - 'a' + 'A');
    }
    if (one_in(5) && !w.empty()) w[below(static_cast<unsigned>(w.size()))] = from("xq0.");
    if (one_in(4)) w += "(" + digits(below(6), "0123456789abc_") + (one_in(2) ? ")" : "");
    return w;
  }

  std::string garbage() {
    std::string s;
    const unsigned n = below(9);
    for (unsigned i = 0; i < n; ++i) {
      s.push_back(from("0123456789+-.eEpPxXaAbBfFiInNtTyY \t\n\r\v\f()"));
    }
    if (one_in(10)) s.push_back('\0');
    return s;
  }

  double any_double() {
    const uint64_t b = bits();
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
  }

  // A double as printf writes it, in one of many forms.
  std::string printed() {
    double d = any_double();
    if (one_in(3)) {
      d = std::ldexp(static_cast<double>(bits() >> 11),
                     static_cast<int>(below(120)) - 80);
    }
    char text[2048];
    const int precision = static_cast<int>(below(40));
    switch (below(5)) {
      case 0: std::snprintf(text, sizeof text, "%.17g", d); break;
      case 1: std::snprintf(text, sizeof text, "%.*g", precision, d); break;
      case 2: std::snprintf(text, sizeof text, "%a", d); break;
      case 3: std::snprintf(text, sizeof text, "%.*e", precision, d); break;
      default: std::snprintf(text, sizeof text, "%.*f", precision, d); break;
    }
    return text;
  }

  // A decimal on, just above or just below the midpoint of two neighbouring
  // doubles, written out in full (a midpoint is exact in long double).
  std::string halfway() {
    double x = std::fabs(any_double());
    if (one_in(4)) x = std::ldexp(static_cast<double>(bits() >> 12), -1074);  // subnormal
    if (one_in(50)) x = DBL_MAX;
    if (!std::isfinite(x)) x = 1.0;
    const long double next = x == DBL_MAX
        ? static_cast<long double>(DBL_MAX) + std::ldexp(1.0L, 971)
        : static_cast<long double>(std::nextafter(x, INFINITY));
    const long double mid = (static_cast<long double>(x) + next) / 2;
    char text[1200];
    std::snprintf(text, sizeof text, "%.800Le", mid);
    std::string s = text;
    const size_t e = s.find('e');
    std::string mantissa = s.substr(0, e);
    const std::string exponent = s.substr(e);
    while (mantissa.back() == '0') mantissa.pop_back();
    switch (below(3)) {
      case 0: break;
      case 1: mantissa += std::string(below(50), '0') + "1"; break;
      default: {
        // Just below: lower the last digit and follow it with nines.
        size_t i = mantissa.size() - 1;
        while (mantissa[i] == '0' || mantissa[i] == '.') mantissa[i--] = '9';
        --mantissa[i];
        mantissa += std::string(below(50), '9');
        break;
      }
    }
    return mantissa + exponent;
  }

  std::string integer() {
    switch (below(4)) {
      case 0: {
        // Around the limits of int, unsigned, long and beyond.
        static const char* const kEdges[] = {
            "2147483647", "2147483648", "4294967295", "4294967296",
            "9223372036854775807", "9223372036854775808",
            "18446744073709551615", "18446744073709551616"};
        std::string s = kEdges[below(8)];
        if (one_in(2)) s.back() = static_cast<char>('0' + below(10));
        return s;
      }
      case 1: return std::to_string(bits());
      case 2: return std::to_string(static_cast<int64_t>(bits()) >> below(64));
      default: return std::string(one_in(4) ? below(30) : 0, '0') + digits(length());
    }
  }

 private:
  std::mt19937_64 random_;
};

// ---------------------------------------------------------------------------

// Cases worked out by hand; each goes at the end of the input and before
// every terminator.
const char* const kAdversarialDoubles[] = {
    "", " ", "\n", "\r\n", "\t\v\f\r", "-", "+", ".", "-.", "+.", "--1", "+-1",
    "-+1", "- 1", "-x", ".x", ".e5", "+.e", "1", "-0", "+0", "0", "00", "0.",
    ".0", "1.", "1.e5", "1.e", "1e", "1E", "1e+", "1e-", "1e+x", "1e+-5",
    "1ee", "1e5e", "1e+5e", "1e5.3", "1.2.3", "1,5", "1e0x", "0e", "0e5",
    "0x", "0X", "-0x", "+0x", "0xg", "0xx", "0x.", "-0x.", "0x.p", "0x.p1",
    "0xp1", "0x+1", "0x1", "0x1p", "0x1p+", "0x1p-", "0x1pa", "0x1p1f",
    "0X1P-2", "0x1.8p1", "0x1.8e", "0x1e5", "0x1.p", "0x.8", "00x1",
    "0x1.fffffffffffff8p1023", "0x1.fffffffffffff7p1023", "0x1p-1074",
    "0x1p-1075", "0x1.8p-1075", "0x0.0000000000001p-1022", "0x1p1024",
    "0x0p99999999999999999999", "0x1p99999999999999999999",
    "0x1p-99999999999999999999", "i", "in", "inf", "INF", "infx", "infi",
    "infin", "infinx", "infinit", "infinity", "INFINITY", "iNfInItY",
    "infinityx", "inx", "-inf", "+inf", "-i", "-infinity", "n", "na", "nan",
    "NaN", "nAn", "-nan", "+nan", "nax", "nanx", "nan(", "nan()", "nan(123)",
    "NAN(abc_1)", "1e-400", "1e400", "-1e400", "4.9e-324", "2.5e-324",
    "2.4703282292062327e-324", "2.4703282292062328e-324", "2.4e-324",
    "2.2250738585072011e-308", "2.2250738585072014e-308",
    "1.7976931348623157e308", "1.7976931348623158e308",
    "1.7976931348623159e308", "9007199254740993", "9007199254740993.0000001",
    "9007199254740992", "9007199254740994e22", "9007199254740993e-22",
    "9007199254740991e-23", "1e22", "1e23", "123456789e-22", "123456789e-23",
    "1234567890123456789e1", "12345678901234567890e-1", "0.000000000000000000001e44",
    "9007199254740992.9999999", "1e0000000000000000000000000000000000005",
    "0e999999999999999999999999", "1e-99999999999999999999",
    "1e99999999999999999999", "0.1", "1548.204", "1215.67", "-1.0", "\xa0" "7",
    "\xff", "\x01", "1\x00" "2",
};

TEST(NumberScanDouble, MatchesFscanfOnAdversarialCases) {
  Differ differ(reader_double, scanf_double);
  for (const char* body : kAdversarialDoubles) {
    const std::string b = body;
    for (const char* before : {"", " ", "\n\r\t"}) {
      for (const char* sign : {"", "-", "+"}) {
        differ.everywhere(before + std::string(sign) + b);
        for (const char* next : {"\n", "\r\n", " ", "e", ".", "x", "5"}) {
          differ.everywhere(before + std::string(sign) + b + next);
        }
      }
    }
  }
}

TEST(NumberScanDouble, MatchesFscanfOnLongDigitRuns) {
  Differ differ(reader_double, scanf_double);
  for (const int n : {100, 766, 767, 768, 769, 799, 800, 801, 802, 5000, 100000}) {
    const std::string zeros(static_cast<size_t>(n), '0');
    const std::string nines(static_cast<size_t>(n), '9');
    differ.everywhere(zeros);
    differ.everywhere("1" + zeros);
    differ.everywhere("1" + zeros + "e-" + std::to_string(n));
    differ.everywhere("0." + zeros + "1e" + std::to_string(n));
    differ.everywhere("0." + zeros + "1");
    differ.everywhere(nines + "e-" + std::to_string(n + 300));
    differ.everywhere("0x" + zeros + "1");
    differ.everywhere("0x1" + zeros + "p-" + std::to_string(4 * n));
    differ.everywhere("0x0." + zeros + "1p" + std::to_string(4 * n));
    differ.everywhere("0x1." + zeros + "1");
  }
  // The midpoint between 1 and the next double, exact and followed by a
  // non-zero digit far beyond what any conversion keeps.
  const std::string half_ulp = "1.00000000000000011102230246251565404236316680908203125";
  differ.everywhere(half_ulp);
  differ.everywhere(half_ulp + std::string(2000, '0'));
  differ.everywhere(half_ulp + std::string(2000, '0') + "1");
  differ.everywhere("0x1.00000000000008");
  differ.everywhere("0x1.00000000000008" + std::string(200, '0') + "1");
  differ.everywhere("0x1.00000000000018");
}

TEST(NumberScanDouble, MatchesFscanfOnGeneratedCases) {
  Differ differ(reader_double, scanf_double);
  Cases g;
  const long n = case_count();
  for (long i = 0; i < n; ++i) {
    std::string body;
    switch (g.below(10)) {
      case 0: case 1: body = g.decimal(); break;
      case 2: body = g.hexadecimal(); break;
      case 3: body = g.word(); break;
      case 4: body = g.garbage(); break;
      case 5: case 6: body = g.printed(); break;
      case 7: if (g.one_in(5)) { body = g.halfway(); break; } body = g.printed(); break;
      case 8: body = g.short_decimal(); break;
      default: body = g.decimal(); break;
    }
    body = g.white_space() + g.sign() + body + g.tail();
    if (g.one_in(10)) {
      differ.at_end(body);
    } else {
      differ.followed(body, g.below(1000));
    }
  }
  differ.flush();
  EXPECT_GE(differ.cases(), n);
}

TEST(NumberScanInt, MatchesFscanfOnAdversarialCases) {
  Differ differ(reader_int, scanf_int);
  for (const char* body : {"", " ", "\r\n", "-", "+", "--1", "+-1", "-+1", "- 1",
                           "-x", "0", "-0", "00012", "0x5", "1.5", "1e5", "a",
                           "2147483647", "2147483648", "-2147483648", "-2147483649",
                           "4294967295", "4294967296", "4294967297",
                           "9223372036854775807", "9223372036854775808",
                           "-9223372036854775808", "-9223372036854775809",
                           "18446744073709551615", "18446744073709551616",
                           "99999999999999999999999999999", "\xa0" "7"}) {
    for (const char* before : {"", " ", "\n\t"}) {
      differ.everywhere(before + std::string(body));
      differ.everywhere(before + std::string(body) + "\n");
      differ.everywhere(before + std::string(body) + "5");
    }
  }
}

TEST(NumberScanInt, MatchesFscanfOnGeneratedCases) {
  Differ differ(reader_int, scanf_int);
  Cases g;
  const long n = case_count();
  for (long i = 0; i < n; ++i) {
    std::string body = g.one_in(8) ? g.garbage() : g.integer();
    body = g.white_space() + g.sign() + body + g.tail();
    if (g.one_in(10)) {
      differ.at_end(body);
    } else {
      differ.followed(body, g.below(1000));
    }
  }
  differ.flush();
  EXPECT_GE(differ.cases(), n);
}

#endif  // __GLIBC__

}  // namespace
