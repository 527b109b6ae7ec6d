#ifndef CATALIX_CHECK_PLACES_H_
#define CATALIX_CHECK_PLACES_H_

// Where each value of the spectrum being read was read, in reading order:
// the checks of the values pair them with the objects the readers made.

#include <cstddef>
#include <vector>

#include "catalogue/trace.h"

// Where a number was read: from `begin`, its first byte past the white
// space at `value`, up to `end`; `ok` when it converted.
struct number_at {
  long long begin = -1, value = -1, end = -1;
  bool ok = false;
};

// A number of a record or an interval: the piece it is read as, where in
// `Place` it is kept, and its name in findings.
template <class Place>
struct number_of {
  input::piece what;
  number_at Place::*place;
  const char* name;
};

struct interval_at {
  number_at wv_min, wv_max, resolution, s_to_n;
};

struct record_at {
  long long start = 0;
  bool blank_redshift = false;
  number_at z_abs, rest_wv, obs_wv, obs_wv_err, eq_width, eq_width_err;
  long long name_begin = -1, name_end = -1;
};

struct system_at {
  std::vector<interval_at> intervals;
  number_at z_em;
  std::vector<record_at> records;
  bool carry_said = false;  // CX108, said once in a line list
};

// The systems of the spectrum being read.  Cleared per spectrum but kept,
// so that the next spectrum reuses their memory.
class system_places {
 public:
  void clear() { used_ = 0; }
  system_at& add() {
    if (used_ == all_.size()) all_.emplace_back();
    system_at& s = all_[used_++];
    s.intervals.clear();
    s.records.clear();
    s.z_em = number_at();
    s.carry_said = false;
    return s;
  }
  system_at& back() { return all_[used_ - 1]; }
  const system_at& back() const { return all_[used_ - 1]; }
  const system_at& operator[](std::size_t i) const { return all_[i]; }
  std::size_t size() const { return used_; }
  bool empty() const { return used_ == 0; }

 private:
  std::vector<system_at> all_;
  std::size_t used_ = 0;
};

#endif  // CATALIX_CHECK_PLACES_H_
