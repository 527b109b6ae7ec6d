#ifndef CATALIX_CHECK_VALUE_CHECKS_H_
#define CATALIX_CHECK_VALUE_CHECKS_H_

// The checks of the values, once a spectrum is read: what the numbers that
// the readers made show, each against what it can mean and against the
// others of its line and header (a name given twice, CX207; a blank
// redshift with nothing to carry over, CX108; CX201 to CX208; the science
// checks CX301 to CX304).  Each finding points at the place where its value
// was read, and its field names the line or interval by its values, so that
// it stays the same as lines move.

#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue.h"
#include "check/reading.h"
#include "check/science.h"
#include "check/transitions.h"

class value_checks {
 public:
  value_checks(reading& r, const tolerances& limits) : r_(r), limits_(limits) {}

  // The spectrum just read, its values paired in reading order with the
  // places at r.systems.
  void check(const QSO_spectrum& spectrum);

 private:
  void check_system(const sub_record& system, const system_at& at);
  void check_interval(const header_record& interval, const interval_at& at);
  void check_line(const ::record& line, const record_at& at, const header& h, bool* carry_missing);
  void check_width(const ::record& line, const record_at& at);
  void check_kind(const ::record& line, const record_at& at);
  void check_science(const ::record& line, const record_at& at, const header& h);

  // CX203, true when said: `x` within 0.1 of -1 but not -1.
  bool near_minus_one(const number_at& n, double x, const char* what);
  // A finding at the number `n`, about `what` of the line or interval being
  // checked ("" for the whole of it).  Unlike reading::report(), said in a
  // broken spectrum too: the values are what the readers made of it.
  void say(check_code code, const number_at& n, const std::string& message, const std::string& what);
  std::string key() const;
  transition_match transition_of(const char* ion, double rest);

  reading& r_;
  const tolerances& limits_;
  std::unordered_map<std::string, long long> names_;  // spectrum names, where first seen
  // Ion names and rest wavelengths looked up lately: a catalogue holds few.
  std::unordered_map<std::string, transition_match> transitions_;
  // What is being checked: the spectrum, the system (from 1), the interval
  // or line (null for the header as a whole), and the system's intervals.
  std::string spectrum_;
  int system_ = 0;
  const header_record* key_interval_ = nullptr;
  const ::record* key_line_ = nullptr;
  std::vector<wavelength_interval> intervals_;
};

#endif  // CATALIX_CHECK_VALUE_CHECKS_H_
