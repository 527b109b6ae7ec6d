// Damaged inputs run through the whole program: every prefix of the example
// catalogue, every single-byte deletion, every marker character blanked or
// doubled, every line end given a carriage return; the same for the query
// form and the style file.  Each run must
// end within a second, exit 0 with a whole page, say nothing on standard
// output but the reader's lost-marker warnings, report nothing on standard
// error (sanitizers) and leave its inputs unchanged.

#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program_run.h"

namespace {

const char kSourceDir[] = CATALIX_SOURCE_DIR;
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
const char kCatalogue[] = "absrp_sys_list.dat";
const char kForm[] = "absrp_query.frm";
const char kStyle[] = "style.var";

std::string data_file(const std::string& name) {
  return run::read_file(std::string(kSourceDir) + "/tests/data/robustness/" + name);
}

// The bundled example when there is one, else the tests' own catalogue.
std::string base_catalogue() {
  const std::string example = std::string(kSourceDir) + "/examples/absrp_sys_list.dat";
  if (run::exists(example)) return run::read_file(example);
  return data_file("catalogue.dat");
}

struct Case {
  std::string name;
  std::string bytes;  // of the damaged input
};

// Runs the program with one input damaged case by case and the other two
// good, kWorkers runs at a time, and reports every faulty run.
class Sweep {
 public:
  explicit Sweep(const char* damaged) : damaged_(damaged) {
    good_[kCatalogue] = base_catalogue();
    good_[kForm] = data_file("query.frm");
    good_[kStyle] = data_file("style.var");
    for (int i = 0; i < kWorkers; ++i) {
      dirs_.push_back(root_ / ("worker" + std::to_string(i)));
      std::filesystem::create_directory(dirs_.back());
      for (const auto& file : good_) run::write_file(dirs_.back() + "/" + file.first, file.second);
    }
  }

  const std::string& good() { return good_[damaged_]; }

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
    std::printf("[ sweep    ] %s: %zu cases, %d faulty\n", damaged_.c_str(), count, faulty_);
  }

 private:
  void start(int worker, const Case& c) {
    std::remove((dirs_[worker] + "/results.html").c_str());
    run::write_file(dirs_[worker] + "/" + damaged_, c.bytes);
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

  // What is wrong with one run; empty when nothing is.
  std::string fault_of(const Case& c, const run::Outcome& outcome, const std::string& dir) {
    if (outcome.timed_out) return "did not end within a second";
    if (!outcome.exited) return "ended by signal " + std::to_string(outcome.signal);
    if (outcome.status != 0) return "exit status " + std::to_string(outcome.status);
    if (!outcome.err.empty()) return "standard error: " + outcome.err.substr(0, 2000);
    if (!run::only_lost_markers(outcome.out)) return "standard output: " + outcome.out.substr(0, 500);
    if (!run::whole_page(run::read_file(dir + "/results.html"))) return "page not whole";
    for (const auto& file : good_) {
      const std::string& before = file.first == damaged_ ? c.bytes : file.second;
      if (run::read_file(dir + "/" + file.first) != before) return file.first + " changed";
    }
    return "";
  }

  void check(const Case& c, const run::Outcome& outcome, const std::string& dir) {
    const std::string fault = fault_of(c, outcome, dir);
    if (fault.empty()) return;
    if (++faulty_ > kMaxReported) return;
    // Keep the input for the report; the test's directory outlives the run.
    const std::string kept = "sweep-failure-" + c.name + "-" + damaged_;
    run::write_file(kept, c.bytes);
    ADD_FAILURE() << damaged_ << " " << c.name << ": " << fault << " (input kept in " << kept
                  << ")";
  }

  std::string damaged_;
  std::map<std::string, std::string> good_;
  run::TempDir root_;
  std::vector<std::string> dirs_;
  int faulty_ = 0;
};

void every_prefix(const char* input) {
  Sweep sweep(input);
  const std::string whole = sweep.good();
  const std::vector<std::size_t> lengths = positions(whole.size() + 1);
  sweep.run_all(lengths.size(), [&](std::size_t i) {
    return Case{"prefix-" + std::to_string(lengths[i]), whole.substr(0, lengths[i])};
  });
}

void every_deletion(const char* input) {
  Sweep sweep(input);
  const std::string whole = sweep.good();
  const std::vector<std::size_t> at = positions(whole.size());
  sweep.run_all(at.size(), [&](std::size_t i) {
    std::string damaged = whole;
    damaged.erase(at[i], 1);
    return Case{"deletion-" + std::to_string(at[i]), damaged};
  });
}

// Each character of `set` in turn replaced by a blank, or doubled.
void every_character(const char* input, const std::string& set, bool doubled) {
  Sweep sweep(input);
  const std::string whole = sweep.good();
  const std::vector<std::size_t> at = positions_of(whole, set);
  ASSERT_FALSE(at.empty());
  sweep.run_all(at.size(), [&](std::size_t i) {
    std::string damaged = whole;
    if (doubled) {
      damaged.insert(at[i], 1, whole[at[i]]);
    } else {
      damaged[at[i]] = ' ';
    }
    return Case{(doubled ? "doubled-" : "blanked-") + std::to_string(at[i]), damaged};
  });
}

void every_line_end_with_carriage_return(const char* input) {
  Sweep sweep(input);
  const std::string whole = sweep.good();
  const std::vector<std::size_t> ends = positions_of(whole, "\n");
  sweep.run_all(ends.size(), [&](std::size_t i) {
    std::string damaged = whole;
    damaged.insert(ends[i], 1, '\r');
    return Case{"carriage-return-" + std::to_string(ends[i]), damaged};
  });
}

TEST(Sweep, EveryPrefixOfTheCatalogue) { every_prefix(kCatalogue); }
TEST(Sweep, EverySingleByteDeletionOfTheCatalogue) { every_deletion(kCatalogue); }
TEST(Sweep, EveryMarkerOfTheCatalogueBlanked) { every_character(kCatalogue, kMarkers, false); }
TEST(Sweep, EveryMarkerOfTheCatalogueDoubled) { every_character(kCatalogue, kMarkers, true); }
TEST(Sweep, EveryLineEndOfTheCatalogueWithACarriageReturn) {
  every_line_end_with_carriage_return(kCatalogue);
}

// The form and the style file are short: each of their sweeps is cheap.
TEST(Sweep, TheQueryFormDamaged) {
  every_prefix(kForm);
  every_deletion(kForm);
  every_character(kForm, "=\n", false);
  every_character(kForm, "=\n", true);
  every_line_end_with_carriage_return(kForm);
}

TEST(Sweep, TheStyleFileDamaged) {
  every_prefix(kStyle);
  every_deletion(kStyle);
  every_character(kStyle, "=\n", false);
  every_character(kStyle, "=\n", true);
  every_line_end_with_carriage_return(kStyle);
}

}  // namespace
