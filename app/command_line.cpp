#include "app/command_line.h"

#include <cstdlib>
#include <cstring>

namespace {

// The build sets it from the project's version; nothing else holds it.
const char version[] = CATALIX_VERSION;

void write_usage_line(FILE* out, const program_usage& usage) {
  std::fprintf(out, "usage: %s%s%s\n", usage.name, *usage.synopsis != '\0' ? " " : "",
               usage.synopsis);
}

int finish(FILE* out, const program_usage& usage) {
  if (std::fflush(out) == 0 && !std::ferror(out)) return 0;
  std::fprintf(stderr, "%s: the answer could not be written\n", usage.name);
  return 1;
}

bool is_set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

int answer_help_or_version(int argc, const char* const* argv, const program_usage& usage,
                           FILE* out) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fprintf(out, "%s %s\n", usage.name, version);
      return finish(out, usage);
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      write_usage_line(out, usage);
      std::fprintf(out, "%s  --help     show this help and exit\n"
                        "  --version  show the version and exit\n"
                        "The manual page %s(1) tells the rest.\n",
                   usage.help, usage.name);
      return finish(out, usage);
    }
  }
  return -1;
}

int refuse_arguments(const program_usage& usage) {
  write_usage_line(stderr, usage);
  return 2;
}

int answer_outside_server(int argc, const char* const* argv, const program_usage& usage,
                          const char* not_served) {
  if (is_set("GATEWAY_INTERFACE")) return -1;
  const int answered = answer_help_or_version(argc, argv, usage);
  if (answered >= 0) return answered;
  if (argc > 1) return refuse_arguments(usage);
  if (is_set("REQUEST_METHOD")) return -1;
  std::fputs(not_served, stderr);
  return 2;
}
