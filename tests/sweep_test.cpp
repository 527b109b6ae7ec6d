// Damaged catalogues run through the whole program: every prefix of the
// example catalogue, every single-byte deletion, every marker character
// blanked or doubled, every line end given a carriage return.  Each run must
// end within a second, exit 0 with a whole page, say nothing on standard
// output but the reader's lost-marker warnings, report nothing on standard
// error (sanitizers) and leave its inputs unchanged.

#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program_run.h"

namespace {

const char kSourceDir[] = CATALIX_SOURCE_DIR;
const char kCatalogueName[] = "absrp_sys_list.dat";
const int kWorkers = 2;
const int kMaxReported = 20;

// A run under AddressSanitizer costs about ten times as much: there a long
// catalogue is swept at evenly spaced positions, at most this many per sweep.
#ifdef CATALIX_UNDER_ASAN
const std::size_t kMaxCases = 3000;
#else
const std::size_t kMaxCases = 1000000;
#endif

// The positions 0 .. n-1, or an evenly spaced choice of kMaxCases of them.
std::vector<std::size_t> positions(std::size_t n) {
  const std::size_t stride = (n + kMaxCases - 1) / kMaxCases;
  std::vector<std::size_t> chosen;
  for (std::size_t i = 0; i < n; i += stride == 0 ? 1 : stride) chosen.push_back(i);
  if (stride > 1) std::printf("[ sweep    ] every %zu-th of %zu positions\n", stride, n);
  return chosen;
}

// The positions of the characters of `whole` that are in `set`.
std::vector<std::size_t> positions_of(const std::string& whole, const std::string& set) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (set.find(whole[i]) != std::string::npos) found.push_back(i);
  }
  return found;
}

const char kMarkers[] = "$=%_#*{";

// The bundled example when there is one, else the tests' own catalogue.
std::string base_catalogue() {
  const std::string example = std::string(kSourceDir) + "/examples/absrp_sys_list.dat";
  if (run::exists(example)) return run::read_file(example);
  return run::read_file(std::string(kSourceDir) + "/tests/data/robustness/catalogue.dat");
}

struct Case {
  std::string name;
  std::string catalogue;
};

// What is wrong with one run; empty when nothing is.
std::string fault_of(const Case& c, const run::Outcome& outcome, const std::string& dir,
                     const std::string& form, const std::string& style) {
  if (outcome.timed_out) return "did not end within a second";
  if (!outcome.exited) return "ended by signal " + std::to_string(outcome.signal);
  if (outcome.status != 0) return "exit status " + std::to_string(outcome.status);
  if (!outcome.err.empty()) return "standard error: " + outcome.err.substr(0, 2000);
  if (!run::only_lost_markers(outcome.out)) return "standard output: " + outcome.out.substr(0, 500);
  if (!run::whole_page(run::read_file(dir + "/results.html"))) return "page not whole";
  if (run::read_file(dir + "/" + kCatalogueName) != c.catalogue) return "catalogue changed";
  if (run::read_file(dir + "/absrp_query.frm") != form) return "query form changed";
  if (run::read_file(dir + "/style.var") != style) return "style file changed";
  return "";
}

class Sweep {
 public:
  Sweep() {
    const std::string data = std::string(kSourceDir) + "/tests/data/robustness/";
    form_ = run::read_file(data + "query.frm");
    style_ = run::read_file(data + "style.var");
    for (int i = 0; i < kWorkers; ++i) {
      dirs_.push_back(root_ / ("worker" + std::to_string(i)));
      std::filesystem::create_directory(dirs_.back());
      run::write_file(dirs_.back() + "/absrp_query.frm", form_);
      run::write_file(dirs_.back() + "/style.var", style_);
    }
  }

  // Runs `count` cases, kWorkers at a time, and reports every faulty one.
  void run_all(std::size_t count, const std::function<Case(std::size_t)>& make) {
    std::vector<pid_t> pids(kWorkers, 0);
    std::vector<Case> cases(kWorkers);
    std::size_t next = 0;
    int running = 0;
    while (next < count || running > 0) {
      for (int i = 0; i < kWorkers && next < count; ++i) {
        if (pids[i] != 0) continue;
        cases[i] = make(next++);
        start(i, cases[i]);
        pids[i] = run::spawn(CATALIX_BIN, dirs_[i], run::Options());
        ++running;
      }
      int status = 0;
      struct rusage usage = {};
      const pid_t pid = wait4(-1, &status, 0, &usage);
      ASSERT_GT(pid, 0);
      for (int i = 0; i < kWorkers; ++i) {
        if (pids[i] != pid) continue;
        pids[i] = 0;
        --running;
        run::Outcome outcome = run::collect(dirs_[i], status, usage);
        if (outcome.timed_out) outcome = again(i, cases[i]);
        check(cases[i], outcome, dirs_[i]);
      }
    }
    std::printf("[ sweep    ] %zu cases, %d faulty\n", count, faulty_);
  }

 private:
  void start(int worker, const Case& c) {
    std::remove((dirs_[worker] + "/results.html").c_str());
    run::write_file(dirs_[worker] + "/" + kCatalogueName, c.catalogue);
  }

  // A timed-out case once more, alone, so that only a real hang fails.
  run::Outcome again(int worker, const Case& c) {
    start(worker, c);
    const pid_t pid = run::spawn(CATALIX_BIN, dirs_[worker], run::Options());
    int status = 0;
    struct rusage usage = {};
    wait4(pid, &status, 0, &usage);
    return run::collect(dirs_[worker], status, usage);
  }

  void check(const Case& c, const run::Outcome& outcome, const std::string& dir) {
    const std::string fault = fault_of(c, outcome, dir, form_, style_);
    if (fault.empty()) return;
    if (++faulty_ > kMaxReported) return;
    // Keep the input for the report; the test's directory outlives the run.
    const std::string kept = "sweep-failure-" + c.name + ".dat";
    run::write_file(kept, c.catalogue);
    ADD_FAILURE() << c.name << ": " << fault << " (input kept in " << kept << ")";
  }

  run::TempDir root_;
  std::vector<std::string> dirs_;
  std::string form_;
  std::string style_;
  int faulty_ = 0;
};

TEST(Sweep, EveryPrefixOfTheCatalogue) {
  const std::string whole = base_catalogue();
  const std::vector<std::size_t> lengths = positions(whole.size() + 1);
  Sweep sweep;
  sweep.run_all(lengths.size(), [&](std::size_t i) {
    return Case{"prefix-" + std::to_string(lengths[i]), whole.substr(0, lengths[i])};
  });
}

TEST(Sweep, EverySingleByteDeletion) {
  const std::string whole = base_catalogue();
  const std::vector<std::size_t> at = positions(whole.size());
  Sweep sweep;
  sweep.run_all(at.size(), [&](std::size_t i) {
    std::string damaged = whole;
    damaged.erase(at[i], 1);
    return Case{"deletion-" + std::to_string(at[i]), damaged};
  });
}

TEST(Sweep, EveryMarkerCharacterBlanked) {
  const std::string whole = base_catalogue();
  const std::vector<std::size_t> markers = positions_of(whole, kMarkers);
  ASSERT_GT(markers.size(), 50u);
  Sweep sweep;
  sweep.run_all(markers.size(), [&](std::size_t i) {
    std::string damaged = whole;
    damaged[markers[i]] = ' ';
    return Case{"blanked-" + std::to_string(markers[i]), damaged};
  });
}

TEST(Sweep, EveryMarkerCharacterDoubled) {
  const std::string whole = base_catalogue();
  const std::vector<std::size_t> markers = positions_of(whole, kMarkers);
  Sweep sweep;
  sweep.run_all(markers.size(), [&](std::size_t i) {
    std::string damaged = whole;
    damaged.insert(markers[i], 1, whole[markers[i]]);
    return Case{"doubled-" + std::to_string(markers[i]), damaged};
  });
}

TEST(Sweep, EveryLineEndWithACarriageReturn) {
  const std::string whole = base_catalogue();
  const std::vector<std::size_t> ends = positions_of(whole, "\n");
  Sweep sweep;
  sweep.run_all(ends.size(), [&](std::size_t i) {
    std::string damaged = whole;
    damaged.insert(ends[i], 1, '\r');
    return Case{"carriage-return-" + std::to_string(ends[i]), damaged};
  });
}

}  // namespace
