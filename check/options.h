#ifndef CATALIX_CHECK_OPTIONS_H_
#define CATALIX_CHECK_OPTIONS_H_

// The command line of catalix-check.  Its options are described once, in
// kCheckOptions, from which both the parsing and --help come.

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

// An option, written --name=VALUE or --name VALUE.
struct check_option {
  const char* name;      // "--format"
  const char* argument;  // its value as --help and the manual write it: "text|json|sarif"
  const char* help;      // what it does, for --help; a '\n' starts a second line
  const char* fallback;  // its default as --help shows it, or null
  // Sets `value` in *options; false for a value it does not take, with a
  // reason in *reason where there is more to say than that.
  bool (*set)(const std::string& value, check_options* options, std::string* reason);
};

// The options, in the order --help and the manual list them.
extern const check_option kCheckOptions[];
extern const int kCheckOptionCount;

// Reads argv into *options.  A command line that is not understood gives
// false and a one-line reason in *error.
bool parse_options(int argc, const char* const* argv, check_options* options, std::string* error);

// The text of --help after its usage line: what the program does, the
// options and the exit statuses.
const std::string& check_help();

#endif  // CATALIX_CHECK_OPTIONS_H_
