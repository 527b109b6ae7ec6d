// Writes a realistic catalogue of a given size for timing runs:
//   generate_catalogue BYTES OUT.dat
// Prints the number of line records written.  The same size always gives
// the same file.  It is physically consistent, so that catalix-check finds
// nothing in it: every absorber lies in front of its quasar (z_abs below
// z_em), every rest wavelength is one of the checker's table of
// transitions, every observed wavelength is rest x (1 + z_abs) and lies in
// an observed interval of its header, and every name is unique.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "check/transitions.h"

namespace {

struct Transition {
  const char* ion;
  double rest;
};

// Common absorption lines, grouped so that doublet partners follow; the
// wavelengths are looked up in the checker's table.
Transition kTransitions[] = {
    {"HI", 1215.67},    {"CIV", 1548.204},  {"CIV", 1550.781}, {"SiIV", 1393.76},
    {"SiIV", 1402.77},  {"MgII", 2796.352}, {"MgII", 2803.531}, {"FeII", 2382.765},
    {"FeII", 2600.173}, {"AlII", 1670.789}, {"CII", 1334.532}, {"SiII", 1526.707},
    {"NV", 1238.821},   {"NV", 1242.804},   {"OI", 1302.168},  {"AlIII", 1854.716},
};
const int kTransitionCount = sizeof(kTransitions) / sizeof(kTransitions[0]);

bool use_table_wavelengths() {
  for (Transition& t : kTransitions) {
    const transition_match match = look_up_transition(t.ion, t.rest, 0.05);
    if (match.result != transition_match::known) return false;
    t.rest = match.nearest->rest;
  }
  return true;
}

std::mt19937_64 random_engine(20061);

double uniform(double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(random_engine);
}
int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_engine); }

// Appends printf-formatted text to `out`.
template <typename... Args>
void append(std::string* out, const char* format, Args... args) {
  char line[256];
  const int n = std::snprintf(line, sizeof line, format, args...);
  out->append(line, n < 0 ? 0 : std::min<std::size_t>(n, sizeof line - 1));
}

// The line list first, so that the header's intervals can cover its
// observed wavelengths.
// The observed wavelengths' range so far.
struct wavelength_range {
  double lowest = 1e300, highest = 0;
  void take(double observed) {
    lowest = std::min(lowest, observed);
    highest = std::max(highest, observed);
  }
};

// One line record at redshift z (and at times its partner) into `lines`.
// Returns the records written.
long append_line(std::string* lines, double z, wavelength_range* range) {
  if (pick(12) == 0) {
    append(lines, "%.6f$DLA{}   %.2f from the damping wings\n", z, 100000 + uniform(20, 21.8));
    return 1;
  }
  const int t = pick(kTransitionCount - 1);
  const Transition& a = kTransitions[t];
  const double observed = a.rest * (1 + z);
  append(lines, "%.6f$%s{%.3f} %.3f %.3f %.3f %.3f\n", z, a.ion, a.rest, observed,
         uniform(0.005, 0.05), uniform(0.02, 1.5), uniform(0.005, 0.1));
  range->take(observed);
  const Transition& b = kTransitions[t + 1];
  if (std::strcmp(b.ion, a.ion) != 0 && pick(3) != 0) return 1;
  // The partner line leaves redshift and, for a doublet, the name blank.
  const double partner = b.rest * (1 + z);
  append(lines, "        $%s{%.3f} %.3f %.3f %.3f %.3f blend\n",
         std::strcmp(b.ion, a.ion) == 0 ? "  " : b.ion, b.rest, partner, uniform(0.005, 0.05),
         uniform(0.02, 1.5), uniform(0.005, 0.1));
  range->take(partner);
  return 2;
}

// One to three contiguous intervals of at least 1000 A each that hold
// every observed wavelength, with a few Angstrom to spare; then the note.
void write_header(FILE* out, double z_em, wavelength_range range) {
  const int intervals = 1 + pick(3);
  if (range.highest == 0) range.lowest = range.highest = uniform(3200, 4200) + 500;
  const double needed = range.highest - range.lowest + 10;
  const double span = std::max(needed, 1000.0 * intervals);
  // A start stays positive: the bluest line, Lyman alpha at z 0.5, lies at 1823 A.
  const double start = std::floor(std::max(900.0, range.lowest - 5 - (span - needed) * uniform(0, 1)));
  const double width = std::ceil(span / intervals);
  std::fprintf(out, "%.0f - %.0f A R = %.0f S/N = %.0f $ z = %.4f $ UVES archive, setting %d\n", start,
               start + width, uniform(4e4, 5e4), uniform(10, 80), z_em, pick(9));
  for (int i = 1; i < intervals; ++i) {
    const double a = start + width * i;
    if (pick(4) == 0) {
      std::fprintf(out, "%.0f - %.0f A R = %.0f W min = %.3f $\n", a, a + width, uniform(5e3, 9e3),
                   uniform(0.01, 0.1));
    } else {
      std::fprintf(out, "%.0f - %.0f A R = %.0f S/N = %.0f $\n", a, a + width, uniform(4e4, 5e4),
                   uniform(10, 80));
    }
  }
  if (pick(2) == 0) std::fprintf(out, "*identified by eye, checked against the Voigt fits\n");
}

long write_system(FILE* out, double z_em, bool first) {
  if (!first) std::fputc('\n', out);  // the opening character after '%'
  std::string lines;
  long records = 0;
  wavelength_range range;
  const int kind = pick(20);
  if (kind == 0) {
    lines = "1e-40\n";
    records = 1;
  } else if (kind == 1) {
    append(&lines, "%.6f$BAL{ broad troughs of C IV and N V\n", uniform(1.5, std::min(4.0, z_em - 0.001)));
    records = 1;
  } else {
    const int count = 3 + pick(14);
    for (int i = 0; i < count; ++i) {
      records += append_line(&lines, uniform(0.5, std::min(4.5, z_em - 0.001)), &range);
    }
  }
  write_header(out, z_em, range);
  std::fputs("%\n", out);
  std::fputs(lines.c_str(), out);
  return records;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: generate_catalogue BYTES OUT.dat\n");
    return 2;
  }
  if (!use_table_wavelengths()) {
    std::fprintf(stderr, "generate_catalogue: a transition is not in the checker's table\n");
    return 1;
  }
  const long long target = std::atoll(argv[1]);
  FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  long long records = 0;
  for (long spectrum = 0; std::ftell(out) < target; ++spectrum) {
    // Names unique to 900,000 spectra at the old length, then longer.
    std::fprintf(out, "! Q %04ld%+03ld", spectrum % 10000, spectrum / 10000 % 90 - 45);
    if (spectrum >= 900000) std::fprintf(out, "-%ld", spectrum / 900000);
    std::fprintf(out, "$ J%06ld\n", spectrum);
    // As the header writes it, so that every z_abs stays below it.
    const double z_em = std::round(uniform(2, 5) * 1e4) / 1e4;
    const int systems = 1 + pick(5);
    for (int s = 0; s < systems; ++s) {
      if (s > 0) std::fputs("%", out);
      else std::fputs("%\n", out);
      records += write_system(out, z_em, s == 0);
    }
    std::fputs("_\n", out);
  }
  std::fputs("#\n", out);
  std::fclose(out);
  std::printf("%lld\n", records);
  return 0;
}
