#ifndef CATALIX_CHECK_FINDING_H_
#define CATALIX_CHECK_FINDING_H_

// What a detector hands to the reporter: one place where the catalogue is
// not read as written, located by byte offsets into the file.

#include <optional>
#include <string>

#include "check/codes.h"

struct finding {
  check_code code{};        // its name, severity and title come from the table of codes
  long long begin = 0;      // the span pointed at, [begin, end), byte offsets
  long long end = 0;        // end >= begin; end == begin points at one place
  long long also = -1;      // another offset the message names, or -1
  std::string message;      // may hold "{also}", written as LINE:COLUMN of `also`
  std::string spectrum;     // the quasar's name, where known
  int system = 0;           // the system's number within its spectrum, from 1; 0 none
  std::string field;        // what it is about, stable as lines move: part of the baseline key
  std::optional<std::string> fix;  // a replacement text for [begin, end), where known;
                                   // "" deletes the span
};

#endif  // CATALIX_CHECK_FINDING_H_
