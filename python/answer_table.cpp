#include "python/answer_table.h"

#include <stdexcept>
#include <string>

#include "table/line_row.h"

namespace {

// The columns named as catalix-table names them, in its order; a column it
// has and this table lacks is a fault of the build, which a query reports.
void check_names(table& t) {
  if (t.columns().size() != static_cast<std::size_t>(kLineColumns)) {
    throw std::logic_error("the answer's columns are not those of the line table");
  }
  for (int i = 0; i < kLineColumns; ++i) {
    if (t.columns()[i].name() != kLineColumn[i].name) {
      throw std::logic_error(std::string("the answer lacks the column ") + kLineColumn[i].name);
    }
  }
}

}  // namespace

answer_table::answer_table()
    : qso_name_(&table_.add("qso_name", column::kind::text)),
      qso_label_(&table_.add("qso_label", column::kind::text)),
      system_(&table_.add("system", column::kind::integer)),
      z_em_(&table_.add("z_em", column::kind::real)),
      line_(table_, false),
      symbols_(&table_.add("symbols", column::kind::text)),
      remark_(&table_.add("remark", column::kind::text)) {
  check_names(table_);
}

void answer_table::add_selected(const QSO_spectrum& spectrum) {
  // Systems are numbered among all of the spectrum's; the selected ones
  // come in the same order.
  const sub_record* selected = spectrum.first_selected;
  int number = 1;
  for (const sub_record* system = &spectrum.first_sys; system != nullptr && selected != nullptr;
       system = system->next, ++number) {
    if (system != selected) continue;
    for (const record* line = system->lines.first_selected; line != nullptr;
         line = line->next_selected) {
      add_row(spectrum, number, system->sys_header, *line);
    }
    selected = selected->next_selected;
  }
}

void answer_table::add_row(const QSO_spectrum& spectrum, int system, const header& head,
                           const record& line) {
  row_symbols_.clear();
  add_catalogue_text(*qso_name_, spectrum.qso_name.text);
  add_catalogue_text(*qso_label_, spectrum.qso_label.text);
  system_->add_integer(system);
  add_number(*z_em_, head.z_em, &row_symbols_);
  line_.add(line, &row_symbols_);
  symbols_->add_text(row_symbols_.text(), row_symbols_.text().empty());
  add_catalogue_text(*remark_, line.remark.text, false, '$');
}
