#include "check/options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "check/codes.h"

// The build sets it from the project's version.
const char kCheckVersion[] = CATALIX_VERSION;

const char kCheckHelp[] =
    "Tells where a catalogue is not read as written, with line and column.\n"
    "  --format=text|json|sarif   output format (text)\n"
    "  --select=CODES             report only these codes or prefixes (CX1,CX205)\n"
    "  --ignore=CODES             leave these codes or prefixes out\n"
    "  --fail-on=error|warning|never\n"
    "                             the severity that makes the exit status 1 (error)\n"
    "  --max-repeat=N             show N findings of each code, then a count\n"
    "                             (10 in text, all in json and sarif; 0: all)\n"
    "  --baseline=F               leave out the findings listed in F\n"
    "  --write-baseline=F         list every finding in F (F replaced whole)\n"
    "  --velocity=KM_S            CX301: least velocity difference (50)\n"
    "  --sigma=N                  CX301: least difference in errors (3)\n"
    "  --z-excess=KM_S            CX302: z_abs above z_em by more than (5000)\n"
    "  --rest-tolerance=ANGSTROM  CX304: rest wavelength tolerance (0.05)\n"
    "  --explain=CODE             what CODE means, with an example and its fix\n"
    "Exit status: 0 nothing at or above the --fail-on severity, 1 findings,\n"
    "2 a bad command line, 3 a file that cannot be read or written.\n";

namespace {

// A code list: comma-separated codes or prefixes of codes ("CX3").
bool parse_codes(const std::string& text, std::vector<std::string>* codes, std::string* error) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string code = text.substr(start, comma - start);
    for (char& c : code) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    bool known = false;
    for (int i = 0; i < kCodeCount && !code.empty(); ++i) {
      known = known || std::strncmp(kCodes[i].code, code.c_str(), code.size()) == 0;
    }
    if (!known) {
      *error = "unknown code or prefix '" + code + "'";
      return false;
    }
    codes->push_back(code);
    start = comma + 1;
  }
  return true;
}

// A tolerance: a finite number, 0 or more.
bool parse_tolerance(const std::string& text, double* value) {
  char* end = nullptr;
  const double x = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(x) || x < 0) return false;
  *value = x;
  return true;
}

bool parse_count(const std::string& text, long long* value) {
  if (text.empty() || text.size() > 12) return false;
  long long x = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    x = x * 10 + (c - '0');
  }
  *value = x;
  return true;
}

}  // namespace

bool parse_options(int argc, const char* const* argv, check_options* options, std::string* error) {
  bool file_given = false, files_only = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    // After "--" every argument is a file name, even one that begins with '-'.
    if (files_only || arg.size() < 2 || arg[0] != '-') {
      if (file_given) {
        *error = "more than one file";
        return false;
      }
      options->file = arg;
      file_given = true;
      continue;
    }
    if (arg == "--") {
      files_only = true;
      continue;
    }
    if (arg.compare(0, 2, "--") != 0) {
      *error = "unknown option '" + arg + "'";
      return false;
    }
    // --name=value or --name value
    std::string name = arg, value;
    const std::size_t equals = arg.find('=');
    const bool inline_value = equals != std::string::npos;
    if (inline_value) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    }
    static const char* const kTaking[] = {"--format", "--select", "--ignore", "--fail-on", "--max-repeat",
                                          "--baseline", "--write-baseline", "--velocity", "--sigma",
                                          "--z-excess", "--rest-tolerance", "--explain"};
    bool takes = false;
    for (const char* known : kTaking) takes = takes || name == known;
    if (!takes) {
      *error = "unknown option '" + name + "'";
      return false;
    }
    if (!inline_value) {
      if (i + 1 >= argc) {
        *error = "option '" + name + "' needs a value";
        return false;
      }
      value = argv[++i];
    }
    bool ok = true;
    if (name == "--format") {
      ok = value == "text" || value == "json" || value == "sarif";
      options->format = value == "json" ? output_format::json
                        : value == "sarif" ? output_format::sarif : output_format::text;
    } else if (name == "--select" || name == "--ignore") {
      if (!parse_codes(value, name == "--select" ? &options->select : &options->ignore, error)) return false;
    } else if (name == "--fail-on") {
      ok = value == "error" || value == "warning" || value == "never";
      options->fail_on = value == "warning" ? fail_level::warning
                         : value == "never" ? fail_level::never : fail_level::error;
    } else if (name == "--max-repeat") {
      ok = parse_count(value, &options->max_repeat);
      options->max_repeat_given = true;
    } else if (name == "--baseline" || name == "--write-baseline") {
      ok = !value.empty();
      (name == "--baseline" ? options->baseline : options->write_baseline) = value;
    } else if (name == "--velocity") {
      ok = parse_tolerance(value, &options->limits.velocity);
    } else if (name == "--sigma") {
      ok = parse_tolerance(value, &options->limits.sigma);
    } else if (name == "--z-excess") {
      ok = parse_tolerance(value, &options->limits.z_excess);
    } else if (name == "--rest-tolerance") {
      ok = parse_tolerance(value, &options->limits.rest_tolerance);
    } else {
      options->what = check_options::action::explain;
      options->explain_code = value;
    }
    if (!ok) {
      *error = "bad value '" + value + "' for " + name;
      return false;
    }
  }
  return true;
}
