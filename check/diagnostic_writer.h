#ifndef CATALIX_CHECK_DIAGNOSTIC_WRITER_H_
#define CATALIX_CHECK_DIAGNOSTIC_WRITER_H_

// The three output formats of catalix-check, each written as the findings
// come: text as compilers print it, JSON lines, and a SARIF 2.1.0 log.

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "check/codes.h"
#include "check/finding.h"
#include "check/line_index.h"

// A finding as it is written: placed in lines and columns.
struct located_finding {
  const finding* what;
  const code_entry* entry;  // the finding's code in the table
  severity level;
  line_index::place begin, end;
  std::string message;      // with {also} written out
  std::string key;          // the baseline key
};

struct check_summary {
  long long errors = 0, warnings = 0, notes = 0;
  long long baselined = 0;  // left out as known
  int spectra = 0;
  long long max_repeat = 0;
  std::vector<std::pair<std::string, long long>> not_shown;  // code, findings past --max-repeat
};

class diagnostic_writer {
 public:
  virtual ~diagnostic_writer() = default;
  virtual void write(const located_finding& f) = 0;
  virtual void end(const check_summary& summary) = 0;
};

// `file` is the name the findings are written under.
std::unique_ptr<diagnostic_writer> make_text_writer(std::FILE* out, const std::string& file,
                                                    line_index* lines);
std::unique_ptr<diagnostic_writer> make_json_writer(std::FILE* out, const std::string& file);
std::unique_ptr<diagnostic_writer> make_sarif_writer(std::FILE* out, const std::string& file,
                                                     line_index* lines, const char* version);

// The summary line: "2 errors, 1 warning in 3 spectra", and the notes and
// the known findings where there are any.
std::string summary_line(const check_summary& summary);

#endif  // CATALIX_CHECK_DIAGNOSTIC_WRITER_H_
