#ifndef CATALIX_CHECK_REPORTER_H_
#define CATALIX_CHECK_REPORTER_H_

// Takes the detector's findings and writes them in order of offset, after
// the filters of the command line: --select and --ignore, the baseline, and
// --max-repeat in the text format.  It counts what it keeps and gives the
// exit status.
//
// A detector adds findings as it meets them, a little out of order (a
// search found lost points back to where it began), and calls
// flush_before(offset) where nothing before `offset` can come any more: at
// each spectrum's start.  Between two such calls the findings wait; should
// very many wait, they are written at once, in order among themselves.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "check/baseline.h"
#include "check/diagnostic_writer.h"
#include "check/finding.h"
#include "check/line_index.h"
#include "check/options.h"

class reporter {
 public:
  // Writes to `out` under the name options.file; `lines` locates offsets.
  reporter(const check_options& options, std::FILE* out, line_index* lines);
  ~reporter();

  // Reads --baseline, opens --write-baseline and begins the output; false,
  // with the reason in *error, when a file fails (exit status 3).  Called
  // once, before the first add().
  bool start(std::string* error);

  void add(finding f);
  void flush_before(long long offset);
  // Writes what waits and the summary; returns the exit status.
  int finish(int spectra);

 private:
  struct waiting {
    finding what;
    long long order;
  };
  bool selected(check_code code) const;
  void write(const finding& f);

  const check_options& options_;
  std::FILE* out_;
  line_index* lines_;
  std::unique_ptr<diagnostic_writer> writer_;
  baseline known_;
  baseline_writer new_baseline_;
  bool writing_baseline_;
  std::vector<waiting> waiting_;
  long long added_ = 0;
  long long max_repeat_;
  std::vector<std::pair<check_code, long long>> per_code_;  // findings of each code so far
  check_summary summary_;
};

#endif  // CATALIX_CHECK_REPORTER_H_
