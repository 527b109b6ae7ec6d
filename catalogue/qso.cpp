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

namespace {

// Forgets the spectrum in memory and gives its memory to the next one.
void clear_spectrum() {
  arena::rewind();
  First_QSO_spectrum = QSO_spectrum();
}

}  // namespace

bool catalogue_reader::next() {
  if (ended_) return false;
  if (started_) {
    input::skip_white_space(file_);
    const int c = input::peek(file_);
    if (c == '#' || c == input::kEnd) {
      // Nothing after the '#' is read.
      input::read_char(file_);
      ended_ = true;
      return false;
    }
  }
  started_ = true;
  start_known_ = remember_starts_ && std::fgetpos(file_, &start_) == 0;
  clear_spectrum();
  First_QSO_spectrum.Read_QSO_spectrum(file_);
  return true;
}

void catalogue_reader::read_at(const fpos_t& start) {
  std::fsetpos(file_, &start);
  clear_spectrum();
  First_QSO_spectrum.Read_QSO_spectrum(file_);
}

int Read_Data_Base(FILE* file, const spectrum_visitor& each) {
  catalogue_reader reader(file);
  int spectra = 0;
  while (reader.next()) {
    each(First_QSO_spectrum);
    ++spectra;
  }
  std::fflush(stdout);
  return spectra;
}
