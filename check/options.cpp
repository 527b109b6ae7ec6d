#include "check/options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "check/codes.h"

// The build sets it from the project's version.
const char kCheckVersion[] = CATALIX_VERSION;

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

bool set_format(const std::string& value, check_options* options, std::string*) {
  options->format = value == "json" ? output_format::json
                    : value == "sarif" ? output_format::sarif : output_format::text;
  return value == "text" || value == "json" || value == "sarif";
}

bool set_fail_on(const std::string& value, check_options* options, std::string*) {
  options->fail_on = value == "warning" ? fail_level::warning
                     : value == "never" ? fail_level::never : fail_level::error;
  return value == "error" || value == "warning" || value == "never";
}

bool set_max_repeat(const std::string& value, check_options* options, std::string*) {
  options->max_repeat_given = true;
  return parse_count(value, &options->max_repeat);
}

bool set_explain(const std::string& value, check_options* options, std::string*) {
  options->what = check_options::action::explain;
  options->explain_code = value;
  return true;
}

template <std::vector<std::string> check_options::*codes>
bool set_codes(const std::string& value, check_options* options, std::string* reason) {
  return parse_codes(value, &(options->*codes), reason);
}

template <std::string check_options::*file>
bool set_file(const std::string& value, check_options* options, std::string*) {
  options->*file = value;
  return !value.empty();
}

template <double tolerances::*limit>
bool set_tolerance(const std::string& value, check_options* options, std::string*) {
  return parse_tolerance(value, &(options->limits.*limit));
}

}  // namespace

const check_option kCheckOptions[] = {
    {"--format", "text|json|sarif", "output format", "text", set_format},
    {"--select", "CODES", "report only these codes or prefixes (CX1,CX205)", nullptr,
     set_codes<&check_options::select>},
    {"--ignore", "CODES", "leave these codes or prefixes out", nullptr, set_codes<&check_options::ignore>},
    {"--fail-on", "error|warning|never", "the severity that makes the exit status 1", "error", set_fail_on},
    {"--max-repeat", "N", "show N findings of each code, then a count",
     "10 in text, all in json and sarif; 0: all", set_max_repeat},
    {"--baseline", "F", "leave out the findings listed in F", nullptr, set_file<&check_options::baseline>},
    {"--write-baseline", "F", "list every finding in F (F replaced whole)", nullptr,
     set_file<&check_options::write_baseline>},
    {"--velocity", "KM_S", "CX301: least velocity difference", "50", set_tolerance<&tolerances::velocity>},
    {"--sigma", "N", "CX301: least difference in errors", "3", set_tolerance<&tolerances::sigma>},
    {"--z-excess", "KM_S", "CX302: z_abs above z_em by more than", "5000", set_tolerance<&tolerances::z_excess>},
    {"--rest-tolerance", "ANGSTROM", "CX304: rest wavelength tolerance", "0.05",
     set_tolerance<&tolerances::rest_tolerance>},
    {"--explain", "CODE", "what CODE means, with an example and its fix", nullptr, set_explain},
};
const int kCheckOptionCount = sizeof(kCheckOptions) / sizeof(kCheckOptions[0]);

namespace {

const check_option* find_option(const std::string& name) {
  for (const check_option& option : kCheckOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

// An option's value: after its '=', or the next argument.
bool take_value(const std::string& arg, int argc, const char* const* argv, int* i, std::string* value) {
  const std::size_t equals = arg.find('=');
  if (equals != std::string::npos) {
    *value = arg.substr(equals + 1);
  } else if (*i + 1 < argc) {
    *value = argv[++*i];
  } else {
    return false;
  }
  return true;
}

// The help text starts in this column (from 0); a line ends before 80.
const std::size_t kHelpColumn = 29;
const std::size_t kWidth = 79;

// "  --format=text|json|sarif   output format (text)": the default follows
// the help, or goes under it where the line would be too long; an option
// too wide for its column has a line of its own.
std::string help_of(const check_option& option) {
  const std::string indent(kHelpColumn, ' ');
  std::string line = std::string("  ") + option.name + "=" + option.argument;
  line += line.size() + 2 <= kHelpColumn ? std::string(kHelpColumn - line.size(), ' ') : "\n" + indent;
  std::string help = option.help;
  if (option.fallback != nullptr) {
    const std::string shown = std::string("(") + option.fallback + ")";
    help += kHelpColumn + help.size() + 1 + shown.size() <= kWidth ? " " + shown : "\n" + shown;
  }
  for (char c : help) line += c == '\n' ? "\n" + indent : std::string(1, c);
  return line + "\n";
}

}  // namespace

const std::string& check_help() {
  static const std::string help = [] {
    std::string text = "Tells where a catalogue is not read as written, with line and column.\n";
    for (const check_option& option : kCheckOptions) text += help_of(option);
    return text + "Exit status: 0 nothing at or above the --fail-on severity, 1 findings,\n"
                  "2 a bad command line, 3 a file that cannot be read or written.\n";
  }();
  return help;
}

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
    const bool long_form = arg.compare(0, 2, "--") == 0;
    const std::string name = arg.substr(0, arg.find('='));
    const check_option* option = long_form ? find_option(name) : nullptr;
    if (option == nullptr) {
      *error = "unknown option '" + (long_form ? name : arg) + "'";
      return false;
    }
    std::string value, reason;
    if (!take_value(arg, argc, argv, &i, &value)) {
      *error = "option '" + name + "' needs a value";
      return false;
    }
    if (!option->set(value, options, &reason)) {
      *error = reason.empty() ? "bad value '" + value + "' for " + name : reason;
      return false;
    }
  }
  return true;
}
