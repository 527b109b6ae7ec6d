// Memory of a whole run stays flat however long the catalogue, since it is
// read one spectrum at a time; within one spectrum (a damaged catalogue may
// be one long spectrum) it grows by a bounded amount per byte read.
//
// Peak memory is the child's maximum resident set (getrusage of the child).
// That figure also holds the memory of the test process that forked it, so
// a small run may show the test process's size; the checks compare two runs
// and bound the difference from above.

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "program_run.h"

namespace {


class Memory : public testing::Test {
 protected:
  void SetUp() override {
#ifdef CATALIX_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer's own memory hides the program's";
#endif
    const std::string data = std::string(CATALIX_SOURCE_DIR) + "/tests/data/robustness/";
    run::write_file(dir_ / "absrp_query.frm", run::read_file(data + "query.frm"));
    run::write_file(dir_ / "style.var", run::read_file(data + "style.var"));
  }

  // Writes the catalogue piece by piece, so that this process stays small,
  // runs the program on it and returns the outcome.
  run::Outcome run_on(const std::function<void(std::ofstream&)>& write) {
    {
      std::ofstream out(dir_ / "absrp_sys_list.dat", std::ios::binary | std::ios::trunc);
      write(out);
    }
    run::Options options;
    options.time_limit_seconds = 20;
    const run::Outcome outcome = run::program(CATALIX_BIN, dir_.path(), options);
    EXPECT_TRUE(outcome.exited && outcome.status == 0) << outcome.out.substr(0, 300);
    EXPECT_TRUE(run::whole_page_file(dir_ / "results.html"));
    return outcome;
  }

  // The extra memory of the larger run, in bytes.
  static double bytes_between(const run::Outcome& small, const run::Outcome& large) {
    return 1024.0 * static_cast<double>(large.max_rss_kb - small.max_rss_kb);
  }

  run::TempDir dir_;
};

// A catalogue of `spectra` spectra, each of two systems of fifteen measured
// lines under a header of two intervals and a note: 30 line records each.
void realistic(std::ofstream& out, int spectra) {
  char line[200];
  for (int s = 0; s < spectra; ++s) {
    std::snprintf(line, sizeof line, "! Q%04d-%04d$ UVES\n", s % 10000, s / 10000);
    out << line;
    for (int system = 0; system < 2; ++system) {
      out << (system == 0 ? "%\n" : "\n");
      out << "3050 - 4980 A R = 45000 S/N = 35 $ z = 2.481 $ UVES blue arm, 2002\n"
             "4780 - 6800 A R = 45000 W min = 0.02 $\n"
             "*lines checked by eye\n%\n";
      const double z = 1.0 + 0.01 * (s % 100) + system;
      for (int i = 0; i < 15; ++i) {
        const double rest = 1200.0 + 97.3 * i;
        if (i % 3 == 0) {
          std::snprintf(line, sizeof line, "%.6f$FeII{%.3f} %.2f 0.02 0.%03d 0.011 r%d\n", z, rest,
                        rest * (1 + z), 100 + i, i);
        } else {
          std::snprintf(line, sizeof line, "        $  {%.3f} %.2f 0.02 0.%03d 0.012 \n", rest,
                        rest * (1 + z), 200 + i);
        }
        out << line;
      }
      out << (system == 0 ? "%" : "_\n");
    }
  }
  out << "#\n";
}

TEST_F(Memory, FlatHoweverManySpectra) {
  const int spectra = 1000;  // 30,000 line records, about 2 MB
  const run::Outcome small = run_on([&](std::ofstream& out) { realistic(out, spectra); });
  const run::Outcome large = run_on([&](std::ofstream& out) { realistic(out, 4 * spectra); });
  const double grown = bytes_between(small, large);
  std::printf("[ memory   ] %.0f kB more for 90,000 more line records; %.3f s for 120,000\n",
              grown / 1024, large.seconds);
  // Held whole, the larger catalogue would take some 40 MB more.
  EXPECT_LT(grown, 1024.0 * 1024.0);
  // One linear pass: 8 MB well within the time limit of a much smaller run.
  EXPECT_LT(large.seconds, 5.0);
}

// The densest objects the reader can be made to build within one spectrum:
// a line record of 4 or 6 bytes, a note of 2, an interval of 12.  Each costs
// at most sizeof(record), under 128 bytes per byte; spectra cost nothing.
TEST_F(Memory, DamagedInputGrowsOnlyWithItsSize) {
  const double kBytesPerInputByte = 128.0;
  const std::string head = "! Q$ L\n%\n1 - 2 = 3 = 4 $ = 5 $ c\n";
  struct Pattern {
    const char* name;
    std::string before, repeated, after;
  };
  const Pattern patterns[] = {
      {"spectra", "", "x$a *\n%1e-40_", "#"},
      {"marker lines", head + "%\n", "1e-40\n", "_\n#\n"},
      {"bare line records", head + "%\n", "${x\n", "_\n#\n"},
      {"note lines", head, "*\n", "%\n1e-40\n_\n#\n"},
      {"intervals", head, "0 - 0 =0=0$\n", "%\n1e-40\n_\n#\n"},
  };
  const int kRepeats = 1 << 20;
  for (const Pattern& p : patterns) {
    SCOPED_TRACE(p.name);
    auto write = [&](int times) {
      return [&, times](std::ofstream& out) {
        out << p.before;
        for (int i = 0; i < times; ++i) out << p.repeated;
        out << p.after;
      };
    };
    const int times = static_cast<int>(kRepeats / p.repeated.size());
    const run::Outcome small = run_on(write(times));
    const run::Outcome large = run_on(write(2 * times));
    const double per_byte =
        bytes_between(small, large) / (static_cast<double>(times) * p.repeated.size());
    std::printf("[ memory   ] %-18s %5.1f bytes per input byte, %.3f s for 2 MiB\n", p.name,
                per_byte, large.seconds);
    EXPECT_LE(per_byte, kBytesPerInputByte);
    EXPECT_LT(large.seconds, 5.0);
  }
}

}  // namespace
