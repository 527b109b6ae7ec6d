#ifndef CATALIX_CHECK_CATALOGUE_CHECKS_H_
#define CATALIX_CHECK_CATALOGUE_CHECKS_H_

// The detector: reads the catalogue at `path` and hands every finding to
// `out`, calling out.flush_before() at each spectrum's start.  Returns the
// number of spectra read.

#include "check/reporter.h"
#include "check/science.h"

int check_catalogue(const char* path, reporter& out, const tolerances& t);

#endif  // CATALIX_CHECK_CATALOGUE_CHECKS_H_
