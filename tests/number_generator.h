#ifndef CATALIX_TESTS_NUMBER_GENERATOR_H_
#define CATALIX_TESTS_NUMBER_GENERATOR_H_

// Random numbers to read and write, the same on every run.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

inline long case_count() {
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

#endif  // CATALIX_TESTS_NUMBER_GENERATOR_H_
