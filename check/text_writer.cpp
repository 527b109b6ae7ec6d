// Text as compilers print it: "FILE:LINE:COLUMN: error: MESSAGE [CODE]", then
// the source line and a caret line under the byte.

#include <string_view>

#include "check/diagnostic_writer.h"
#include "text/text_encoding.h"

namespace {

using text_encoding::utf8_sequence;

// How much of a long line is shown around the caret.
const long long kShownBytes = 240;

std::string plural(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// A message or a name for the terminal: control characters and bytes that
// are not UTF-8 as '?'.
std::string terminal_text(std::string_view text) {
  std::string shown;
  while (!text.empty()) {
    const std::size_t n = utf8_sequence(text);
    const unsigned char c = static_cast<unsigned char>(text[0]);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      shown += '?';
      text.remove_prefix(1);
    } else {
      shown.append(text.data(), n);
      text.remove_prefix(n);
    }
  }
  return shown;
}

bool printable(std::string_view text) {
  while (!text.empty()) {
    const std::size_t n = utf8_sequence(text);
    if (n == 0 || static_cast<unsigned char>(text[0]) < 0x20 || text[0] == 0x7F) return false;
    text.remove_prefix(n);
  }
  return true;
}

class text_writer : public diagnostic_writer {
 public:
  text_writer(std::FILE* out, const std::string& file, line_index* lines)
      : out_(out), file_(terminal_text(file)), lines_(lines) {}

  void write(const located_finding& f) override {
    std::fprintf(out_, "%s:%lld:%lld: %s: %s [%s]\n", file_.c_str(), f.begin.line, f.begin.column,
                 severity_name(f.level), terminal_text(f.message).c_str(), terminal_text(f.entry->code).c_str());
    const line_index::excerpt shown = lines_->line_around(f.what->begin, kShownBytes);
    // Byte positions within the excerpt of the caret and of the span's end
    // on the caret's line.
    const std::size_t caret = static_cast<std::size_t>(f.begin.column - shown.first_column);
    std::size_t span_end = shown.text.size();
    if (f.end.line == f.begin.line) span_end = static_cast<std::size_t>(f.end.column - shown.first_column);
    // Control characters and stray bytes show as '?'; a tab stays a tab on
    // both lines, and a UTF-8 character takes one place, so that the caret
    // stands under its byte on a terminal.
    std::string source = shown.cut_before ? "..." : "";
    std::string marks = shown.cut_before ? "   " : "";
    std::string before_caret;
    std::string_view rest = shown.text;
    for (std::size_t i = 0; i < shown.text.size();) {
      std::size_t n = utf8_sequence(rest);
      const unsigned char c = static_cast<unsigned char>(rest[0]);
      // A byte-order mark has no width of its own either.
      if (n == 0 || (c < 0x20 && c != '\t') || c == 0x7F || rest.substr(0, n) == "\xEF\xBB\xBF") {
        source += '?';
        if (n == 0) n = 1;
      } else {
        source.append(rest.data(), n);
      }
      if (caret >= i && caret < i + n) {
        before_caret = marks;
        marks += '^';
      } else if (i > caret && i < span_end) {
        marks += '~';
      } else {
        marks += c == '\t' ? '\t' : ' ';
      }
      i += n;
      rest.remove_prefix(n);
    }
    if (caret >= shown.text.size()) {
      before_caret = marks;
      marks += '^';
    }
    if (shown.cut_after) source += "...";
    while (!marks.empty() && (marks.back() == ' ' || marks.back() == '\t')) marks.pop_back();
    std::fprintf(out_, "%s\n%s\n", source.c_str(), marks.c_str());
    const std::optional<std::string>& fix = f.what->fix;
    if (fix && !fix->empty() && printable(*fix)) std::fprintf(out_, "%s%s\n", before_caret.c_str(), fix->c_str());
  }

  void end(const check_summary& summary) override {
    for (const auto& cut : summary.not_shown) {
      std::fprintf(out_, "%s: note: %s of %s not shown (--max-repeat=%lld; 0 shows all)\n", file_.c_str(),
                   plural(cut.second, "more finding", "more findings").c_str(), cut.first.c_str(),
                   summary.max_repeat);
    }
    std::fprintf(out_, "%s\n", summary_line(summary).c_str());
  }

 private:
  std::FILE* out_;
  std::string file_;
  line_index* lines_;
};

}  // namespace

std::string summary_line(const check_summary& summary) {
  std::string line = plural(summary.errors, "error", "errors") + ", " +
                     plural(summary.warnings, "warning", "warnings");
  if (summary.notes > 0) line += ", " + plural(summary.notes, "note", "notes");
  line += " in " + plural(summary.spectra, "spectrum", "spectra");
  if (summary.baselined > 0) line += " (" + std::to_string(summary.baselined) + " more in the baseline)";
  return line;
}

std::unique_ptr<diagnostic_writer> make_text_writer(std::FILE* out, const std::string& file,
                                                    line_index* lines) {
  return std::make_unique<text_writer>(out, file, lines);
}
