// Writes a realistic catalogue of a given size for timing runs:
//   generate_catalogue BYTES OUT.dat
// Prints the number of line records written.  The same size always gives
// the same file.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

struct Transition {
  const char* ion;
  double rest;
};

// Common absorption lines, grouped so that doublet partners follow.
const Transition kTransitions[] = {
    {"HI", 1215.67},    {"CIV", 1548.204},  {"CIV", 1550.781}, {"SiIV", 1393.76},
    {"SiIV", 1402.77},  {"MgII", 2796.352}, {"MgII", 2803.531}, {"FeII", 2382.765},
    {"FeII", 2600.173}, {"AlII", 1670.789}, {"CII", 1334.532}, {"SiII", 1526.707},
    {"NV", 1238.821},   {"NV", 1242.804},   {"OI", 1302.168},  {"AlIII", 1854.716},
};
const int kTransitionCount = sizeof(kTransitions) / sizeof(kTransitions[0]);

std::mt19937_64 random_engine(20061);

double uniform(double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(random_engine);
}
int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_engine); }

long write_system(FILE* out, double z_em, bool first) {
  if (!first) std::fputc('\n', out);  // the opening character after '%'
  const double wv_start = uniform(3200, 4200);
  std::fprintf(out, "%.0f - %.0f A R = %.0f S/N = %.0f $ z = %.4f $ UVES archive, setting %d\n",
               wv_start, wv_start + 1000, uniform(4e4, 5e4), uniform(10, 80), z_em, pick(9));
  const int more = pick(3);
  for (int i = 0; i < more; ++i) {
    const double a = wv_start + 1000 * (i + 1);
    if (pick(4) == 0) {
      std::fprintf(out, "%.0f - %.0f A R = %.0f W min = %.3f $\n", a, a + 1000, uniform(5e3, 9e3),
                   uniform(0.01, 0.1));
    } else {
      std::fprintf(out, "%.0f - %.0f A R = %.0f S/N = %.0f $\n", a, a + 1000, uniform(4e4, 5e4),
                   uniform(10, 80));
    }
  }
  if (pick(2) == 0) std::fprintf(out, "*identified by eye, checked against the Voigt fits\n");
  std::fputs("%\n", out);

  long records = 0;
  const int kind = pick(20);
  if (kind == 0) {
    std::fputs("1e-40\n", out);
    return 1;
  }
  if (kind == 1) {
    std::fprintf(out, "%.6f$BAL{ broad troughs of C IV and N V\n", uniform(1.5, 4));
    return 1;
  }
  const int lines = 3 + pick(14);
  for (int i = 0; i < lines; ++i) {
    const double z = uniform(0.5, 4.5);
    if (pick(12) == 0) {
      std::fprintf(out, "%.6f$DLA{}   %.2f from the damping wings\n", z, 100000 + uniform(20, 21.8));
      ++records;
      continue;
    }
    const int t = pick(kTransitionCount - 1);
    const Transition& a = kTransitions[t];
    std::fprintf(out, "%.6f$%s{%.3f} %.3f %.3f %.3f %.3f\n", z, a.ion, a.rest, a.rest * (1 + z),
                 uniform(0.005, 0.05), uniform(0.02, 1.5), uniform(0.005, 0.1));
    ++records;
    const Transition& b = kTransitions[t + 1];
    if (std::strcmp(b.ion, a.ion) == 0 || pick(3) == 0) {
      // The partner line leaves redshift and, for a doublet, the name blank.
      std::fprintf(out, "        $%s{%.3f} %.3f %.3f %.3f %.3f blend\n",
                   std::strcmp(b.ion, a.ion) == 0 ? "  " : b.ion, b.rest, b.rest * (1 + z), uniform(0.005, 0.05),
                   uniform(0.02, 1.5), uniform(0.005, 0.1));
      ++records;
    }
  }
  return records;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: generate_catalogue BYTES OUT.dat\n");
    return 2;
  }
  const long long target = std::atoll(argv[1]);
  FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  long long records = 0;
  for (long spectrum = 0; std::ftell(out) < target; ++spectrum) {
    std::fprintf(out, "! Q %04ld%+03ld$ J%06ld\n", spectrum % 10000, spectrum % 90 - 45, spectrum);
    const double z_em = uniform(2, 5);
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
