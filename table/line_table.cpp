#include "table/line_table.h"

#include <climits>
#include <memory>

#include "catalogue/catalogue.h"
#include "query/selected_walk.h"
#include "table/line_row.h"
#include "table/table_writer.h"

namespace {

std::unique_ptr<table_writer> make_writer(table_format format, FILE* out) {
  switch (format) {
    case table_format::csv:
      return make_csv_writer(out);
    case table_format::tsv:
      return make_tsv_writer(out);
    default:
      return make_votable_writer(out);
  }
}

// The rows of the selected spectrum in memory, walked as the page walks it,
// at most `*budget` of them (taken from it).  Returns how many.
long long write_spectrum(QSO_spectrum& spectrum, line_row* row, table_writer* writer,
                         long long* budget) {
  // Systems are numbered among all of the spectrum's, so walk them all; the
  // selected ones come in the same order.
  const sub_record* selected = spectrum.first_selected;
  int number = 1;
  long long written = 0;
  for (const sub_record* system = &spectrum.first_sys; system != nullptr && selected != nullptr;
       system = system->next, ++number) {
    if (system != selected) continue;
    for (const record* line = system->lines.first_selected; line != nullptr && *budget > 0;
         line = line->next_selected) {
      row->fill(spectrum, number, system->sys_header, *line);
      writer->row(*row);
      --*budget;
      ++written;
    }
    selected = selected->next_selected;
  }
  return written;
}

long long count_rows(const QSO_spectrum& spectrum) {
  long long rows = 0;
  for (const sub_record* system = spectrum.first_selected; system != nullptr;
       system = system->next_selected) {
    for (const record* line = system->lines.first_selected; line != nullptr;
         line = line->next_selected) {
      ++rows;
    }
  }
  return rows;
}

int flushed(FILE* out) { return std::fflush(out) == 0 && std::ferror(out) == 0 ? 0 : 1; }

}  // namespace

int write_line_table(input::source& catalogue, FILE* out, table_format format) {
  const std::unique_ptr<table_writer> writer = make_writer(format, out);
  const std::unique_ptr<line_row> row = std::make_unique<line_row>();
  writer->begin(false);
  long long budget = LLONG_MAX;
  const spectrum_counts counts =
      walk_selected_spectra(catalogue, [&](QSO_spectrum& spectrum, long long) {
        write_spectrum(spectrum, row.get(), writer.get(), &budget);
      });
  writer->end(counts.selected, counts.all, nullptr);
  return flushed(out);
}

void limited_line_table::count() {
  starts_.clear();
  rows_ = 0;
  counts_ = walk_selected_spectra(catalogue_, [this](QSO_spectrum& spectrum, long long start) {
    if (rows_ < limit_) starts_.push_back(start);
    rows_ += count_rows(spectrum);
  });
  std::fflush(stdout);
}

int limited_line_table::write(FILE* out, table_format format) {
  const std::unique_ptr<table_writer> writer = make_writer(format, out);
  const std::unique_ptr<line_row> row = std::make_unique<line_row>();
  writer->begin(overflow());
  long long budget = rows_ < limit_ ? rows_ : limit_;
  walk_selected_again(catalogue_, starts_, [&](QSO_spectrum& spectrum, long long) {
    write_spectrum(spectrum, row.get(), writer.get(), &budget);
  });
  const bool whole = budget == 0;
  writer->end(counts_.selected, counts_.all,
              whole ? nullptr : "The catalogue changed while it was read; the table is cut short");
  if (flushed(out) != 0) return 1;
  return whole ? 0 : 2;
}
