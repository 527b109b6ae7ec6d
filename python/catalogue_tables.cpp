#include "python/catalogue_tables.h"

#include <climits>
#include <stdexcept>
#include <string>

namespace {

using kind = column::kind;

}  // namespace

catalogue_tables::keyed::keyed(table& t, const char* level, const char* item_name)
    : spectrum(&t.add("spectrum", kind::integer)) {
  if (level != nullptr) system = &t.add(level, kind::integer);
  if (item_name != nullptr) item = &t.add(item_name, kind::integer);
}

void catalogue_tables::keyed::add_keys(int spectrum_number, int system_number, int item_number) {
  spectrum->add_integer(spectrum_number);
  if (system != nullptr) system->add_integer(system_number);
  if (item != nullptr) item->add_integer(item_number);
}

catalogue_tables::catalogue_tables()
    : spectra_keys_(spectra, nullptr, nullptr),
      system_keys_(systems, "system", nullptr),
      interval_keys_(intervals, "system", "interval"),
      line_keys_(lines, "system", "line"),
      qso_name_(&spectra.add("qso_name", kind::text)),
      qso_label_(&spectra.add("qso_label", kind::text)),
      z_em_(&systems.add("z_em", kind::real)),
      caption_(&systems.add("caption", kind::text)),
      notes_(&systems.add("notes", kind::text)),
      note_only_(&systems.add("note_only", kind::flag)),
      lambda_min_(&intervals.add("lambda_min", kind::real)),
      lambda_max_(&intervals.add("lambda_max", kind::real)),
      resolution_(&intervals.add("resolution", kind::real)),
      s_to_n_(&intervals.add("s_to_n", kind::real)),
      w_min_(&intervals.add("w_min", kind::real)),
      line_(lines, true) {
  system_keys_.symbols = &systems.add("symbols", kind::text);
  interval_keys_.symbols = &intervals.add("symbols", kind::text);
  line_keys_.symbols = &lines.add("symbols", kind::text);
  remark_ = &lines.add("remark", kind::text);
}

void catalogue_tables::add(const QSO_spectrum& spectrum) {
  if (spectrum_ == INT_MAX) throw std::length_error("more spectra than a table counts");
  spectra_keys_.add_keys(++spectrum_, 0, 0);
  add_catalogue_text(*qso_name_, spectrum.qso_name.text);
  add_catalogue_text(*qso_label_, spectrum.qso_label.text);
  int number = 0;
  for (const sub_record* system = &spectrum.first_sys; system != nullptr; system = system->next) {
    add_system(*system, ++number);
  }
}

void catalogue_tables::add_system(const sub_record& system, int number) {
  const header& head = system.sys_header;
  // The notes of a block end in an empty node, but for a block of one
  // note line, which keeps that line without its '*'.
  const string& first = head.notes;
  const bool note_only = first.next == nullptr && first.text[0] != '\0';
  std::string notes = note_only ? first.text : "";
  for (const string* note = &first; note->next != nullptr; note = note->next) {
    if (note != &first) notes += '\n';
    notes += note->text[0] == '*' ? note->text + 1 : note->text;
  }
  system_keys_.add_keys(spectrum_, number, 0);
  symbols_.clear();
  add_number(*z_em_, head.z_em, &symbols_);
  add_catalogue_text(*caption_, head.caption.text);
  add_catalogue_text(*notes_, notes.c_str(), !note_only && first.next == nullptr);
  note_only_->add_flag(note_only);
  system_keys_.symbols->add_text(symbols_.text(), symbols_.text().empty());
  if (!note_only) add_intervals(head, number);
  add_lines(system.lines, number);
}

void catalogue_tables::add_intervals(const header& head, int system) {
  int number = 0;
  for (const header_record* entry = &head.first_entry; entry != nullptr; entry = entry->next) {
    interval_keys_.add_keys(spectrum_, system, ++number);
    symbols_.clear();
    add_number(*lambda_min_, entry->wv_min, &symbols_);
    add_number(*lambda_max_, entry->wv_max, &symbols_);
    add_number(*resolution_, entry->resolution, &symbols_);
    // The fourth value is a signal-to-noise ratio or a minimum width.
    const bool width = entry->w_min_flag != 0;
    add_number(width ? *w_min_ : *s_to_n_, entry->s_to_n, &symbols_);
    (width ? *s_to_n_ : *w_min_).add_real(entry->s_to_n, true);
    interval_keys_.symbols->add_text(symbols_.text(), symbols_.text().empty());
  }
}

void catalogue_tables::add_lines(const record_group& list, int system) {
  int number = 0;
  for (const record* line = &list.first_record; line != nullptr; line = line->next) {
    line_keys_.add_keys(spectrum_, system, ++number);
    symbols_.clear();
    line_.add(*line, &symbols_);
    line_keys_.symbols->add_text(symbols_.text(), symbols_.text().empty());
    add_catalogue_text(*remark_, line->remark.text, false, '$');
  }
}
