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

#include "catalogue/source.h"
#include "catalogue/string.h"

// -1.0 marks a number the catalogue does not give.
const double kNotGiven = -1.0;

// One line of a system's line list.
class record {
 public:
  double z_abs = kNotGiven;      // redshift as written on the line
  double cur_z_abs = kNotGiven;  // redshift in force (written or carried)
  string ion_name;               // name as written on the line
  string cur_ion_name;           // name in force (written or carried)
  double rest_wv = kNotGiven;
  double obs_wv = kNotGiven;
  double obs_wv_err = kNotGiven;
  double eq_width = kNotGiven;   // >= 99990: column density as 100000 + log N
  double eq_width_err = kNotGiven;
  string remark;
  record* next = nullptr;
  record* prev_selected = nullptr;
  record* next_selected = nullptr;
  int selected = 0;              // match value; 0 when the line does not match

  // Reads one line record.  `carried_z` and `carried_name` belong to the
  // line list being read: the last redshift and name a line wrote.
  int Read_record(input::source& in, double* carried_z, string* carried_name);
  int Read_Usl_record(input::source& in);
  int Read_DLA_record(input::source& in);
  int Read_BAL_record(input::source& in);

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
  record* first_selected = nullptr;

  int Read_record_group(input::source& in);
  int html_record_group(FILE* file);
  int Show_record_group() const;
};

// One observed wavelength interval of a system header.
class header_record {
 public:
  double wv_min = kNotGiven;
  double wv_max = kNotGiven;
  double resolution = kNotGiven;
  double s_to_n = kNotGiven;  // or the minimum equivalent width when w_min_flag is 1
  int w_min_flag = 0;
  header_record* next = nullptr;
  header_record* next_selected = nullptr;
  int selected = 0;

  int Read_header_record(input::source& in);
  int characteristic();
  int html_header_record(FILE* file, int close);
  int Show_header_record() const;
};

// A system's header block.  The note chain always ends in an empty node,
// except in a block that holds nothing but one note line.
class header {
 public:
  header_record first_entry;
  header_record* first_selected = nullptr;
  double z_em = kNotGiven;
  string caption;
  string notes;

  int Read_header(input::source& in);
  int html_header(FILE* file);
  int Show_header() const;
};

// One absorption system: header block and line list.
class sub_record {
 public:
  header sys_header;
  record_group lines;
  sub_record* next = nullptr;
  sub_record* next_selected = nullptr;

  int Read_sub_record(input::source& in);
  int html_sub_record(FILE* file);
  int Show_sub_record() const;
};

// One quasar spectrum with its systems.
class QSO_spectrum {
 public:
  string qso_name;
  string qso_label;
  sub_record first_sys;
  sub_record* first_selected = nullptr;
  QSO_spectrum* next = nullptr;
  QSO_spectrum* next_selected = nullptr;

  int Read_QSO_spectrum(input::source& in);
  int html_QSO_spectrum(FILE* file);
  int Show_QSO_spectrum() const;
};

// The spectrum in memory: the one read last.  Its `next` stays null.
extern QSO_spectrum First_QSO_spectrum;

// Called with each spectrum as soon as it has been read.
using spectrum_visitor = std::function<void(QSO_spectrum&)>;

// Reads the whole catalogue from where `in` stands, one spectrum at a time
// into First_QSO_spectrum, and hands each to `each` before the next is read.
// Returns the number of spectra read.
int Read_Data_Base(input::source& in, const spectrum_visitor& each);

// Reads the catalogue one spectrum at a time.
class catalogue_reader {
 public:
  explicit catalogue_reader(input::source& in) : in_(in) {}

  // Reads the next spectrum into First_QSO_spectrum, cleared first; false
  // once the catalogue has ended ('#' or the end of the input).  The first
  // call always reads a spectrum.
  bool next();

  // The offset of the spectrum that next() read last: where its reading
  // began, past the white space between spectra.
  long long last_start() const { return start_; }

  // Reads the spectrum that begins at `start`, from last_start(), into
  // First_QSO_spectrum.
  void read_at(long long start);

 private:
  input::source& in_;
  bool started_ = false;
  bool ended_ = false;
  long long start_ = 0;
};

// Writes the spectrum in memory as plain text to standard output.
int Show_Data_Base();

#endif  // CATALIX_CATALOGUE_CATALOGUE_H_
