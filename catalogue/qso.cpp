#include "catalogue/arena.h"
#include "catalogue/catalogue.h"

using input::piece;

QSO_spectrum First_QSO_spectrum;

int QSO_spectrum::Read_QSO_spectrum(input::source& in) {
  in.skip(1, piece::spectrum_open);  // the opening byte, whatever it is
  in.skip_white_space(piece::name_gap);
  qso_name.Read_string(in, '$', piece::qso_name);
  in.skip(1, piece::label_gap);
  qso_label.Read_string3(in, '\n', ' ', piece::qso_label);
  in.skip_white_space(piece::label_end_gap);
  first_sys.Read_sub_record(in);
  sub_record* last = &first_sys;
  for (;;) {
    // '%' ended the line list when another system follows.
    const long long at = in.offset();
    const int c = in.get();
    in.mark(piece::list_end, at, c);
    if (c == '_' || c == input::kEnd) return 0;
    sub_record* system = arena::make<sub_record>();
    last->next = system;
    last = system;
    system->Read_sub_record(in);
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
    in_.skip_white_space(piece::catalogue_gap);
    const int c = in_.peek();
    if (c == '#' || c == input::kEnd) {
      // Nothing after the '#' is read.
      in_.skip(1, piece::catalogue_end);
      ended_ = true;
      return false;
    }
  }
  started_ = true;
  start_ = in_.offset();
  clear_spectrum();
  First_QSO_spectrum.Read_QSO_spectrum(in_);
  return true;
}

void catalogue_reader::read_at(long long start) {
  in_.seek(start);
  clear_spectrum();
  First_QSO_spectrum.Read_QSO_spectrum(in_);
}

int Read_Data_Base(input::source& in, const spectrum_visitor& each) {
  catalogue_reader reader(in);
  int spectra = 0;
  while (reader.next()) {
    each(First_QSO_spectrum);
    ++spectra;
  }
  std::fflush(stdout);
  return spectra;
}
