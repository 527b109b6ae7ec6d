// The line table as CSV (RFC 4180) or as tab-separated values, in UTF-8.

#include <cstdio>
#include <string>
#include <string_view>

#include "table/table_writer.h"
#include "text/text_encoding.h"

namespace {

// CSV rows end in CR LF, TSV rows in LF.  A Windows text stream (standard
// output) turns "\n" into CR LF itself, so there CSV gives it "\n" alone.
#if defined(_WIN32)
const char kCsvRowEnd[] = "\n";
#else
const char kCsvRowEnd[] = "\r\n";
#endif

class separated_writer : public table_writer {
 public:
  separated_writer(FILE* out, char separator, const char* row_end)
      : out_(out), separator_(separator), row_end_(row_end) {}

  void begin(bool) override {
    line_.clear();
    for (const line_column& c : kLineColumn) {
      if (!line_.empty()) line_ += separator_;
      line_ += c.name;
    }
    line_ += row_end_;
    put(line_);
  }

  void row(const line_row& row) override {
    line_.clear();
    bool first = true;
    for (const line_cell& cell : row.cells) {
      if (!first) line_ += separator_;
      first = false;
      if (cell.null) continue;
      if (cell.number) {
        line_ += cell.text;
      } else {
        append_text(cell.text);
      }
    }
    line_ += row_end_;
    put(line_);
  }

  void end(int, int, const char*) override {}

 private:
  void put(std::string_view text) { std::fwrite(text.data(), 1, text.size(), out_); }

  // Quoted when it holds a separator, a quote or a line end, or begins or
  // ends with white space that a reader might trim.
  void append_text(std::string_view text) {
    clean_.clear();
    text_encoding::append_clean(&clean_, text);
    const char special[] = {separator_, '"', '\r', '\n', '\0'};
    const bool quoted =
        clean_.find_first_of(special) != std::string::npos ||
        (!clean_.empty() && (clean_.front() == ' ' || clean_.front() == '\t' ||
                             clean_.back() == ' ' || clean_.back() == '\t'));
    if (!quoted) {
      line_ += clean_;
      return;
    }
    line_ += '"';
    for (char c : clean_) {
      if (c == '"') line_ += '"';
      line_ += c;
    }
    line_ += '"';
  }

  FILE* out_;
  char separator_;
  const char* row_end_;
  std::string clean_;
  std::string line_;
};

}  // namespace

std::unique_ptr<table_writer> make_csv_writer(FILE* out) {
  return std::make_unique<separated_writer>(out, ',', kCsvRowEnd);
}

std::unique_ptr<table_writer> make_tsv_writer(FILE* out) {
  return std::make_unique<separated_writer>(out, '\t', "\n");
}
