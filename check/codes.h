#ifndef CATALIX_CHECK_CODES_H_
#define CATALIX_CHECK_CODES_H_

// The table of codes: one entry for each kind of finding, with the page that
// `catalix-check --explain CODE` prints.  Errors (CX1xx): what is read differs
// from what is written.  Warnings (CX2xx): read as written, but the value
// cannot be meant.  Science checks (CX3xx, warnings): the values disagree
// with each other beyond a tolerance.  Notes (CX4xx): harmless here, but
// worth knowing.  The codes are listed once, in check/code_list.h; code uses
// them by name (check_code::CX101), so that a misspelt code does not compile.

#include <string_view>

enum class severity { note, warning, error };

enum class check_code : unsigned char {
#define CHECK_CODE(name, level, after, title, explanation, example, fix) name,
#include "check/code_list.h"
#undef CHECK_CODE
};

struct code_entry {
  const char* code;         // "CX101"
  severity level;
  bool breaks_record;       // the rest of its line record is read from the wrong place
  const char* title;        // one line, lower case, no full stop
  const char* explanation;  // what is read and why it differs; lines of at most 76 characters
  const char* example;      // a catalogue line (or lines) that shows it
  const char* fix;          // the same written so that it is read as meant
};

// All codes, in order of code: kCodes[int(c)] is the entry of c.
extern const code_entry kCodes[];
extern const int kCodeCount;

inline const code_entry& entry_of(check_code c) { return kCodes[static_cast<int>(c)]; }

// The entry named `code` ("CX101"), or null.
const code_entry* find_code(std::string_view code);

// "error", "warning", "note".
const char* severity_name(severity level);

#endif  // CATALIX_CHECK_CODES_H_
