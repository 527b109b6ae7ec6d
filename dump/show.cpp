// The console dumps of the catalogue and of the query, as they were read.

#include <cstdio>

#include "dump/show.h"

#include "catalogue/catalogue.h"
#include "query/field_table.h"
#include "query/query_form.h"
#include "report/printf_number.h"

namespace {

// "%-12.6g" and "%-12.10g".
void show_record_number(double x) {
  printf_number::write_general(stdout, x, 12, 6);
}
void show_header_number(double x) {
  printf_number::write_general(stdout, x, 12, 10);
}
void show_text(const string& s) { std::fputs(s.text, stdout); }

}  // namespace

int record::Show_record() const {
  show_record_number(z_abs);
  show_text(ion_name);
  show_record_number(rest_wv);
  show_record_number(obs_wv);
  show_record_number(obs_wv_err);
  show_record_number(eq_width);
  show_record_number(eq_width_err);
  show_text(remark);
  return 0;
}

int header_record::Show_header_record() const {
  show_header_number(wv_min);
  show_header_number(wv_max);
  show_header_number(resolution);
  show_header_number(s_to_n);
  std::fflush(stdout);
  return 0;
}

int header::Show_header() const {
  first_entry.Show_header_record();
  show_header_number(z_em);
  std::fputs("    ", stdout);
  show_text(caption);
  std::putchar('\n');
  for (const header_record* entry = first_entry.next; entry != nullptr;
       entry = entry->next) {
    entry->Show_header_record();
    std::putchar('\n');
  }
  // Every node, the empty last one too, on purpose: the dump shows the chain as it was read.
  for (const string* note = &notes; note != nullptr; note = note->next) {
    show_text(*note);
    std::putchar('\n');
  }
  return 0;
}

int record_group::Show_record_group() const {
  for (const record* line = &first_record; line != nullptr; line = line->next) {
    line->Show_record();
    std::putchar('\n');
  }
  return 0;
}

int sub_record::Show_sub_record() const {
  sys_header.Show_header();
  lines.Show_record_group();
  return 0;
}

int QSO_spectrum::Show_QSO_spectrum() const {
  show_text(qso_name);
  std::fputs("    ", stdout);
  show_text(qso_label);
  std::putchar('\n');
  for (const sub_record* system = &first_sys; system != nullptr;
       system = system->next) {
    system->Show_sub_record();
  }
  return 0;
}

int Show_Data_Base() {
  for (const QSO_spectrum* spectrum = &First_QSO_spectrum; spectrum != nullptr;
       spectrum = spectrum->next) {
    spectrum->Show_QSO_spectrum();
  }
  return 0;
}

int Show_query_parameters() {
  for (const query_field& field : kQueryField) {
    if (field.bound != nullptr) {
      show_header_number(*field.bound);
    } else {
      show_text(query_ion_name);
    }
    std::putchar('\n');
  }
  return 0;
}
