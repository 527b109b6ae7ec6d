// The detector.  The catalogue is read by the program's own readers, and
// this listener hears every piece they take with its byte offsets: a search
// for a marker, a number, a text, a skip.  What the bytes of a piece show
// (a line end a search ran past, a number that stopped short) is judged as
// the piece is heard; what the values show (a width that cannot be meant, a
// wavelength that disagrees with its redshift) once the spectrum is read,
// from the objects the readers made, which are paired with their pieces in
// reading order.

#include "check/catalogue_checks.h"

#include <cstdio>

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "check/file_checks.h"
#include "check/header_checks.h"
#include "check/line_checks.h"
#include "check/marker_checks.h"
#include "check/reading.h"
#include "check/value_checks.h"

using input::piece;

namespace {

class detector : public input::listener {
 public:
  detector(reporter& out, const tolerances& limits)
      : reading_(out), file_(reading_), header_(reading_), lines_(reading_), values_(reading_, limits) {}

  void filled(long long base, const unsigned char* data, unsigned long size) override {
    reading_.bytes.take(base, data, size);
    file_.take(base, data, size);
  }
  void read(piece what, long long begin, long long end, int result) override;

  // Once the spectrum in memory has been read.
  void spectrum_read(const QSO_spectrum& spectrum) { values_.check(spectrum); }
  // At the end of the file.
  void finish() { file_.finish(); }

 private:
  void heard_number(piece what, long long begin, long long end, int converted);
  void heard_end(piece what, long long begin, long long end, int result);

  reading reading_;
  file_checks file_;
  header_checks header_;
  line_checks lines_;
  value_checks values_;
  bool ended_inside_ = false;  // the file ended inside a spectrum
};

void detector::read(piece what, long long begin, long long end, int result) {
  switch (what) {
    case piece::spectrum_open:
      reading_.systems.clear();
      reading_.spectrum_broken = false;
      return;
    case piece::qso_name:
      reading_.name_at = begin;
      return check_text(reading_, what, begin, end, result);
    case piece::qso_label: case piece::caption: case piece::note: case piece::note_only:
    case piece::remark:
      return check_text(reading_, what, begin, end, result);
    case piece::dollar_after_z: case piece::equals_before_r: case piece::dollar_after_interval:
    case piece::equals_before_z_em: case piece::dollar_after_z_em:
      return check_search(reading_, what, begin, end, result);
    case piece::header_open: return header_.open(begin);
    case piece::range_separator: return header_.range_separator(begin, end);
    case piece::s_to_n_label: return header_.s_to_n_label(begin, end, result);
    case piece::list_gap: return lines_.list_gap(begin, end);
    case piece::blank_redshift: return lines_.blank_redshift(begin, end);
    case piece::marker_gap: return lines_.marker_gap(begin, end);
    case piece::ion_name: return lines_.ion_name(begin, end);
    case piece::brace: return lines_.brace(begin);
    case piece::dla_gap: return lines_.dla_gap(begin, end);
    case piece::list_end: case piece::catalogue_end:
      return heard_end(what, begin, end, result);
    case piece::rest_wv: case piece::obs_wv: case piece::obs_wv_err: case piece::eq_width:
    case piece::eq_width_err: case piece::z_abs: case piece::wv_min: case piece::wv_max:
    case piece::resolution: case piece::s_to_n: case piece::z_em:
      return heard_number(what, begin, end, result);
    default:
      return;
  }
}

void detector::heard_number(piece what, long long begin, long long end, int converted) {
  const held_bytes& bytes = reading_.bytes;
  number_at n{begin, bytes.past_space(begin, end > begin ? end : begin + 1), end, converted == 1};
  if (!n.ok) n.value = bytes.past_space(begin, begin + 4096);
  if (reading_.systems.empty()) return;
  switch (what) {
    case piece::z_abs: return lines_.z_abs(n);
    case piece::wv_min: case piece::wv_max: case piece::resolution: case piece::s_to_n: case piece::z_em:
      return header_.number(what, n);
    default:
      return lines_.number(what, n);
  }
}

void detector::heard_end(piece what, long long begin, long long end, int result) {
  if (what == piece::list_end && result == input::kEnd) {
    ended_inside_ = true;
    reading_.spectrum_broken = false;
    reading_.report(check_code::CX114, begin, begin, "the file ends inside a spectrum: no '_' after its "
                    "last line list", "spectrum");
  } else if (what == piece::catalogue_end && end == begin && !ended_inside_) {
    reading_.report(check_code::CX402, begin, begin, "no closing '#': the catalogue ends with the file",
                    "file");
  }
}

}  // namespace

int check_catalogue(const char* path, reporter& out, const tolerances& t) {
  input::source in(path);
  if (!in.is_open()) return 0;
  detector heard(out, t);
  in.listen(&heard);
  // The findings stand for the program's messages.
  FILE* const said = messages::stream;
  messages::stream = nullptr;
  const int spectra = Read_Data_Base(in, [&](QSO_spectrum& spectrum) {
    heard.spectrum_read(spectrum);
    out.flush_before(in.offset());
  });
  messages::stream = said;
  heard.finish();
  return spectra;
}
