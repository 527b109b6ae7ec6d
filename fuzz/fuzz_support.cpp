#include "fuzz_support.h"

#include <cstdlib>

#include "catalogue/arena.h"
#include "catalogue/catalogue.h"
#include "query/query_form.h"
#include "query/selection.h"
#include "report/rereading_page.h"
#include "report/style.h"

namespace fuzz {

void silence_standard_output() {
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
}

FILE* stream_of(const uint8_t* bytes, std::size_t size) {
  // fmemopen refuses an empty buffer on some C libraries.
  FILE* file = size == 0 ? std::fopen("/dev/null", "rb")
                         : fmemopen(const_cast<uint8_t*>(bytes), size, "r");
  if (file == nullptr) std::abort();
  return file;
}

FILE* page_sink() {
  static FILE* sink = std::fopen("/dev/null", "w");
  if (sink == nullptr) std::abort();
  return sink;
}

void set_permissive_query() {
  const double kOpen = 1e300;
  min_resolution = min_s_to_n = min_z_abs = -kOpen;
  min_rest_wv = min_obs_wv = min_width = min_col_dens = -kOpen;
  max_resolution = max_s_to_n = max_z_abs = kOpen;
  max_rest_wv = max_obs_wv = max_width = max_col_dens = kOpen;
  query_ion_name = string("All");
}

void set_table_style() {
  border = 1;
  width = 90;
  height = 10;
  color_interchange = 'y';
  header_align = 'c';
  cell_align = 'c';
}

void check_text(const string& text) {
  // At most 99 characters are kept, so the last byte of the field is never
  // written.  (A NUL read from the file is kept like any character, so the
  // bytes after the first NUL need not be NUL.)
  if (text.text[string::kCapacity - 1] != '\0') std::abort();
}

void check_catalogue_texts() {
  for (const QSO_spectrum* spectrum = &First_QSO_spectrum; spectrum != nullptr;
       spectrum = spectrum->next) {
    check_text(spectrum->qso_name);
    check_text(spectrum->qso_label);
    for (const sub_record* system = &spectrum->first_sys; system != nullptr;
         system = system->next) {
      check_text(system->sys_header.caption);
      for (const string* note = &system->sys_header.notes; note != nullptr; note = note->next) {
        check_text(*note);
      }
      for (const record* line = &system->lines.first_record; line != nullptr; line = line->next) {
        check_text(line->ion_name);
        check_text(line->cur_ion_name);
        check_text(line->remark);
      }
    }
  }
}

void reset_catalogue() {
  // The catalogue points into the arena: drop it before the blocks go.
  First_QSO_spectrum = QSO_spectrum();
  arena::release_all();
}

FILE* fixed_catalogue() {
  static const char kCatalogue[] =
      "! Q0105-3920$ UVES\n%\n"
      "3050 - 4980 A R = 45000 S/N = 35 $ z = 2.481 $ blue arm\n"
      "*a note\n"
      "4780 - 6800 A R = 45000 W min = 0.02 $\n"
      "%\n"
      "1.796200$FeII{2382.765} 6662.69 0.02 0.512 0.011 strong\n"
      "        $  {2600.173} 7270.60 0.02 0.447 0.012 carried\n"
      "        $CIV {1548.204} 4331.29 1e-16 1e-20 -1 <b>$x$</b>\n"
      "2.618000$DLA:  100020.35 log N\n"
      "2.700000$BAL        broad trough\n"
      "%*only a note\n%\n"
      "1e-40\n"
      "_\n"
      "! J0913+0715$ HIRES\n%\n"
      "3900 - 6200 A R = 1e-20 S/N = -1 $ z = 2.785 $ second\n"
      "%\n"
      "0.752000$MgII{2796.352} 4899.21 0.20 2.100 0.100 r\n"
      "0.752000$MgI{2852.964} 1e-80 not covered\n"
      "_\n#\n";
  static FILE* file = stream_of(reinterpret_cast<const uint8_t*>(kCatalogue),
                                sizeof kCatalogue - 1);
  return file;
}

void write_page(FILE* catalogue) {
  std::rewind(catalogue);
  rereading_page page(catalogue);
  page.select();
  // The bytes cannot change between the passes: a short page is a finding.
  if (!page.write(page_sink())) std::abort();
}

}  // namespace fuzz
