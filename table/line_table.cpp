#include "table/line_table.h"

#include <memory>

#include "catalogue/catalogue.h"
#include "query/selection.h"
#include "table/line_row.h"
#include "table/table_writer.h"

namespace {

// The rows of the selected spectrum in memory, walked as the page walks it.
void write_spectrum(QSO_spectrum& spectrum, line_row* row, table_writer* writer) {
  // Systems are numbered among all of the spectrum's, so walk them all; the
  // selected ones come in the same order.
  const sub_record* selected = spectrum.first_selected;
  int number = 1;
  for (const sub_record* system = &spectrum.first_sys; system != nullptr && selected != nullptr;
       system = system->next, ++number) {
    if (system != selected) continue;
    for (const record* line = system->lines.first_selected; line != nullptr;
         line = line->next_selected) {
      row->fill(spectrum, number, system->sys_header, *line);
      writer->row(*row);
    }
    selected = selected->next_selected;
  }
}

}  // namespace

int write_line_table(input::source& catalogue, FILE* out, table_format format) {
  const std::unique_ptr<table_writer> writer =
      format == table_format::csv ? make_csv_writer(out) : make_votable_writer(out);
  const std::unique_ptr<line_row> row = std::make_unique<line_row>();
  writer->begin(false);
  start_result_list();
  Read_Data_Base(catalogue, [&](QSO_spectrum&) {
    result_list_generator();
    if (First_selected_QSO != nullptr) write_spectrum(*First_selected_QSO, row.get(), writer.get());
  });
  writer->end(number_of_Selected_QSO, total_number_of_QSO);
  return std::fflush(out) == 0 && std::ferror(out) == 0 ? 0 : 1;
}
