#ifndef CATALIX_CHECK_READING_H_
#define CATALIX_CHECK_READING_H_

// The reading as the checks follow it: the bytes lately read, where the
// values of the spectrum being read were read, and how a finding is said
// with its spectrum and system.  Shared by the checks of the pieces as they
// are heard and the checks of the values once the spectrum is read.

#include <string>

#include "check/codes.h"
#include "check/held_bytes.h"
#include "check/places.h"
#include "check/reporter.h"

struct reading {
  explicit reading(reporter& findings) : out(findings) {}

  reporter& out;
  held_bytes bytes;
  system_places systems;
  long long name_at = -1;  // where the spectrum's name begins
  // After a finding that makes the rest of a record (or spectrum) read from
  // the wrong place, what follows there is its consequence, not said again.
  bool record_broken = false;
  bool spectrum_broken = false;

  // Says a finding of what is being read: [begin, end) (end before begin
  // points at begin), in the spectrum being read (none for the field
  // "file") and its latest system.  Nothing is said in a broken spectrum; a
  // code that breaks its record marks the record broken.
  void report(check_code code, long long begin, long long end, const std::string& message,
              const std::string& field, long long also = -1, const char* fix = nullptr);

  // The line record (or interval) being read, or null before the first.
  record_at* record();
  interval_at* interval();
  // A finding's field: "line 3 FeII: width", the record's number in its list
  // and its name as written; "interval 2: resolution".
  std::string record_field(const char* what) const;
  std::string interval_field(const char* what) const;
};

#endif  // CATALIX_CHECK_READING_H_
