#ifndef CATALIX_WEB_ION_NAMES_H_
#define CATALIX_WEB_ION_NAMES_H_

// The names of the catalogue's lines, each with the number of lines that
// carry it, for the form's list of names.  A name is counted as the form
// sends it: without the white space around it; names the form cannot send
// (control characters, more than 98 characters) are left out.

#include <cstdio>
#include <map>
#include <string>

#include "catalogue/source.h"

struct ion_name_list {
  std::map<std::string, long long> lines;  // by name, in byte order
  bool complete = true;  // false when there were more names than are kept
};

// At most this many names are kept, so that no catalogue makes the list
// grow without end.
const std::size_t kMostIonNames = 10000;

// Reads the catalogue from the current position of `catalogue`, one
// spectrum at a time.
ion_name_list count_ion_names(input::source& catalogue);

// {"names":[{"name":"CIV","lines":12},...],"complete":true} and a line end,
// in UTF-8 (bytes that are not become U+FFFD).
void write_ion_names_json(FILE* out, const ion_name_list& names);

#endif  // CATALIX_WEB_ION_NAMES_H_
