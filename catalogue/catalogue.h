#ifndef CATALIX_CATALOGUE_CATALOGUE_H_
#define CATALIX_CATALOGUE_CATALOGUE_H_

// The catalogue of absorption-line systems, one spectrum at a time:
//   QSO_spectrum -> sub_record (one system) -> header (+ header_record
//   intervals, note lines) and record_group (+ record lines).
// The catalogue is read one spectrum at a time: the objects of a spectrum
// live until the next spectrum is read, which reuses their memory.
// Each class has a reader (Read_), a page writer (html_) and a console dump
// (Show_); all of them return 0.

#include <cstdio>
#include <functional>

#include "catalogue/string.h"

// -1.0 marks a number the catalogue does not give.
const double kNotGiven = -1.0;

// One line of a system's line list.
class record {
 public:
  double z_abs;       // redshift as written on the line
  double cur_z_abs;   // redshift in force (written or carried)
  string ion_name;    // name as written on the line
  string cur_ion_name;  // name in force (written or carried)
  double rest_wv;
  double obs_wv;
  double obs_wv_err;
  double eq_width;    // >= 99990: column density as 100000 + log N
  double eq_width_err;
  string remark;
  record* next;
  record* prev_selected;
  record* next_selected;
  int selected;       // match value; 0 when the line does not match

  record();

  // Reads one line record.  `carried_z` and `carried_name` belong to the
  // line list being read: the last redshift and name a line wrote.
  int Read_record(FILE* file, double* carried_z, string* carried_name);
  int Read_Usl_record(FILE* file);
  int Read_DLA_record(FILE* file);
  int Read_BAL_record(FILE* file);

  int characteristic();
  int ion_name_comparison() const;
  int eq_width_and_column_comparison() const;

  int html_record(FILE* file);
  int Show_record() const;
};

// A system's line list; never empty.
class record_group {
 public:
  record first_record;
  record* first_selected;

  record_group();

  int Read_record_group(FILE* file);
  int html_record_group(FILE* file);
  int Show_record_group() const;
};

// One observed wavelength interval of a system header.
class header_record {
 public:
  double wv_min;
  double wv_max;
  double resolution;
  double s_to_n;      // or the minimum equivalent width when w_min_flag is 1
  int w_min_flag;
  header_record* next;
  header_record* next_selected;
  int selected;

  header_record();

  int Read_header_record(FILE* file);
  int characteristic();
  int html_header_record(FILE* file, int close);
  int Show_header_record() const;
};

// A system's header block.  The note chain always ends in an empty node,
// except in a block that holds nothing but one note line.
class header {
 public:
  header_record first_entry;
  header_record* first_selected;
  double z_em;
  string caption;
  string notes;

  header();

  int Read_header(FILE* file);
  int html_header(FILE* file);
  int Show_header() const;
};

// One absorption system: header block and line list.
class sub_record {
 public:
  header sys_header;
  record_group lines;
  sub_record* next;
  sub_record* next_selected;

  sub_record();

  int Read_sub_record(FILE* file);
  int html_sub_record(FILE* file);
  int Show_sub_record() const;
};

// One quasar spectrum with its systems.
class QSO_spectrum {
 public:
  string qso_name;
  string qso_label;
  sub_record first_sys;
  sub_record* first_selected;
  QSO_spectrum* next;
  QSO_spectrum* next_selected;

  QSO_spectrum();

  int Read_QSO_spectrum(FILE* file);
  int html_QSO_spectrum(FILE* file);
  int Show_QSO_spectrum() const;
};

// The spectrum in memory: the one read last.  Its `next` stays null.
extern QSO_spectrum First_QSO_spectrum;

// Called with each spectrum as soon as it has been read.
using spectrum_visitor = std::function<void(QSO_spectrum&)>;

// Reads the whole catalogue from the current position of `file`, one
// spectrum at a time into First_QSO_spectrum, and hands each to `each`
// before the next is read.  Returns the number of spectra read.
int Read_Data_Base(FILE* file, const spectrum_visitor& each);

// Reads the catalogue one spectrum at a time.
class catalogue_reader {
 public:
  // With `remember_starts`, next() notes where each spectrum begins (a call
  // to the system per spectrum, so only readers that go back ask for it).
  explicit catalogue_reader(FILE* file, bool remember_starts = false)
      : file_(file), remember_starts_(remember_starts) {}

  // Reads the next spectrum into First_QSO_spectrum, cleared first; false
  // once the catalogue has ended ('#' or the end of the input).  The first
  // call always reads a spectrum.
  bool next();

  // Where the spectrum that next() read last begins: the byte its reading
  // began at, past the white space between spectra.  False when the stream
  // cannot tell or the reader was not asked to remember.
  bool last_start(fpos_t* start) const {
    *start = start_;
    return start_known_;
  }

  // Reads the spectrum that begins at `start`, from last_start(), into
  // First_QSO_spectrum.
  void read_at(const fpos_t& start);

 private:
  FILE* file_;
  bool remember_starts_;
  bool started_ = false;
  bool ended_ = false;
  fpos_t start_{};
  bool start_known_ = false;
};

// Writes the spectrum in memory as plain text to standard output.
int Show_Data_Base();

#endif  // CATALIX_CATALOGUE_CATALOGUE_H_
