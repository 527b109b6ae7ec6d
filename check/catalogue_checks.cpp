// For now the checks that need only the raw bytes: the line ends, a
// byte-order mark, the closing '#'.  Spectra are counted by their '_' lines.

#include "check/catalogue_checks.h"

#include <cstdio>

namespace {

finding at(const char* code, long long begin, long long end, const char* message) {
  finding f;
  f.code = code;
  f.begin = begin;
  f.end = end;
  f.message = message;
  f.field = "file";
  return f;
}

}  // namespace

int check_catalogue(const char* path, reporter& out, const tolerances&) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return 0;
  long long offset = 0, first_crlf = -1, first_lone_cr = -1, last_hash_line = -1;
  bool any_lf = false, line_start = true;
  int previous = -1, c = 0, spectra = 0;
  unsigned char head[3] = {0, 0, 0};
  for (; (c = std::getc(file)) != EOF; ++offset, previous = c) {
    if (offset < 3) head[offset] = static_cast<unsigned char>(c);
    if (previous == '\r' && c != '\n' && first_lone_cr < 0) first_lone_cr = offset - 1;
    if (previous == '\r' && c == '\n' && first_crlf < 0) first_crlf = offset - 1;
    if (c == '\n') any_lf = true;
    if (line_start && c == '_') ++spectra;
    if (line_start && c == '#') last_hash_line = offset;
    line_start = c == '\n' || c == '\r';
  }
  std::fclose(file);
  if (previous == '\r' && first_lone_cr < 0) first_lone_cr = offset - 1;
  if (offset >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
    finding f = at("CX113", 0, 3, "a byte-order mark before the first spectrum: its bytes begin the quasar's name");
    f.fix = "";
    out.add(f);
  }
  if (first_lone_cr >= 0 && !any_lf) {
    out.add(at("CX112", first_lone_cr, first_lone_cr + 1, "the lines end in CR alone: the file is read as one line"));
  }
  if (first_crlf >= 0) {
    out.add(at("CX401", first_crlf, first_crlf + 1, "CR LF line ends: texts keep the CR as their last character"));
  }
  if (last_hash_line < 0 && offset > 0) out.add(at("CX402", offset, offset, "no closing '#'"));
  if (offset > 0 && previous != '\n' && previous != '\r') {
    finding f = at("CX403", offset, offset, "no line end at the end of the file");
    f.fix = "\n";
    out.add(f);
  }
  return spectra;
}
