// catalix-check: tells a catalogue's maintainers, with line and column,
// where the catalogue is not read as written.
//   catalix-check [options] [FILE]      (FILE: absrp_sys_list.dat)
// Exit status: 0 nothing at or above the --fail-on severity, 1 findings,
// 2 a bad command line, 3 a file that cannot be read or written.

#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "catalogue/source.h"
#include "check/catalogue_checks.h"
#include "check/codes.h"
#include "check/line_index.h"
#include "check/options.h"
#include "check/reporter.h"

namespace {

void print_indented(const char* text) {
  std::fputs("    ", stdout);
  for (const char* p = text; *p != '\0'; ++p) {
    std::putchar(*p);
    if (*p == '\n') std::fputs("    ", stdout);
  }
  std::putchar('\n');
}

int explain(std::string code) {
  for (char& c : code) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  const code_entry* entry = find_code(code);
  if (entry == nullptr) {
    std::fprintf(stderr, "catalix-check: unknown code '%s'\n", code.c_str());
    return 2;
  }
  std::printf("%s %s: %s\n\n%s\n\nExample:\n", entry->code, severity_name(entry->level), entry->title,
              entry->explanation);
  print_indented(entry->example);
  std::puts("Fix:");
  print_indented(entry->fix);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const program_usage usage = {"catalix-check", "[options] [FILE]   (FILE: absrp_sys_list.dat)",
                               check_help().c_str()};
  if (const int answered = answer_help_or_version(argc, argv, usage); answered >= 0) return answered;
  check_options options;
  std::string error;
  if (!parse_options(argc, argv, &options, &error)) {
    std::fprintf(stderr, "catalix-check: %s\nusage: catalix-check [options] [FILE]; --help lists the options\n",
                 error.c_str());
    return 2;
  }
  switch (options.what) {
    case check_options::action::explain: return explain(options.explain_code);
    case check_options::action::check: break;
  }
  // Only a regular file can be checked: a pipe or a device might not end.
  const bool readable = input::source(options.file.c_str()).is_open();
  line_index lines(options.file);
  if (!readable || !lines.is_open()) {
    std::fprintf(stderr, "catalix-check: cannot read %s\n", options.file.c_str());
    return 3;
  }
  reporter out(options, stdout, &lines);
  if (!out.start(&error)) {
    std::fprintf(stderr, "catalix-check: %s\n", error.c_str());
    return 3;
  }
  const int spectra = check_catalogue(options.file.c_str(), out, options.limits);
  return out.finish(spectra);
}
