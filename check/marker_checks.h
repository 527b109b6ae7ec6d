#ifndef CATALIX_CHECK_MARKER_CHECKS_H_
#define CATALIX_CHECK_MARKER_CHECKS_H_

// What the pieces that run to a marker show, judged as each is heard: a
// search for a '$' or an '=' that ran past its line (CX101, CX102) or did
// not find it (CX104), and a text that runs past its line (CX103) or is cut
// (CX211).

#include "catalogue/trace.h"
#include "check/reading.h"

// A search for the marker of `what` from `begin` that made `reads` reads;
// reading resumed at `end`, past the marker found.
void check_search(reading& r, input::piece what, long long begin, long long end, int reads);

// A text from `begin` up to `end` (its end mark, where one was read,
// included), of which the readers kept `kept` bytes.
void check_text(reading& r, input::piece what, long long begin, long long end, int kept);

#endif  // CATALIX_CHECK_MARKER_CHECKS_H_
