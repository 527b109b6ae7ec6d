#include "catalogue/arena.h"
#include "catalogue/catalogue.h"
#include "catalogue/input.h"

QSO_spectrum First_QSO_spectrum;

QSO_spectrum::QSO_spectrum()
    : first_selected(nullptr), next(nullptr), next_selected(nullptr) {}

int QSO_spectrum::Read_QSO_spectrum(FILE* file) {
  input::read_char(file);  // the opening character, whatever it is
  input::skip_white_space(file);
  qso_name.Read_string(file, '$');
  input::read_char(file);
  qso_label.Read_string3(file, '\n', ' ');
  input::skip_white_space(file);
  first_sys.Read_sub_record(file);
  sub_record* last = &first_sys;
  for (;;) {
    // '%' ended the line list when another system follows.
    const int c = input::read_char(file);
    if (c == '_' || c == input::kEnd) return 0;
    sub_record* system = arena::make<sub_record>();
    last->next = system;
    last = system;
    system->Read_sub_record(file);
  }
}

int Read_Data_Base(FILE* file) {
  QSO_spectrum* current = &First_QSO_spectrum;
  for (;;) {
    current->Read_QSO_spectrum(file);
    input::skip_white_space(file);
    const int c = input::read_char(file);
    if (c == '#' || c == input::kEnd) break;
    input::step_back(file, c);
    QSO_spectrum* spectrum = arena::make<QSO_spectrum>();
    current->next = spectrum;
    current = spectrum;
  }
  std::fflush(stdout);
  return 0;
}
