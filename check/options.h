#ifndef CATALIX_CHECK_OPTIONS_H_
#define CATALIX_CHECK_OPTIONS_H_

// The command line of catalix-check.

#include <string>
#include <vector>

#include "check/science.h"

// The version catalix-check reports (in SARIF, as the tool's).
extern const char kCheckVersion[];

enum class output_format { text, json, sarif };
enum class fail_level { error, warning, never };

struct check_options {
  enum class action { check, explain } what = action::check;
  std::string explain_code;
  std::string file = "absrp_sys_list.dat";
  output_format format = output_format::text;
  fail_level fail_on = fail_level::error;
  long long max_repeat = 10;  // 0: no limit
  bool max_repeat_given = false;
  std::vector<std::string> select, ignore;  // codes or prefixes of codes
  std::string baseline, write_baseline;     // empty: none
  tolerances limits;
};

// Reads argv into *options.  A command line that is not understood gives
// false and a one-line reason in *error.
bool parse_options(int argc, const char* const* argv, check_options* options, std::string* error);

// The text of --help after its usage line, FILE's default and the options.
extern const char kCheckHelp[];

#endif  // CATALIX_CHECK_OPTIONS_H_
