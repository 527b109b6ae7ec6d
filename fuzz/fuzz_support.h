#ifndef CATALIX_FUZZ_FUZZ_SUPPORT_H_
#define CATALIX_FUZZ_FUZZ_SUPPORT_H_

// What the fuzz targets share: a real C stream over the fuzzer's bytes, a
// sink for the page, and fixed settings for the inputs a target does not vary.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "catalogue/string.h"

namespace fuzz {

// Sends standard output (the reader warnings, the dumps) to /dev/null.
void silence_standard_output();

// A read-only stream holding exactly `bytes`, read as the program reads a file.
FILE* stream_of(const uint8_t* bytes, std::size_t size);

// A stream that takes the page and keeps nothing; opened once.
FILE* page_sink();

// A query that every interval and line passes: name "All", all bounds open.
void set_permissive_query();

// Style settings that switch every optional part of the tables on.
void set_table_style();

// Stops the run (a finding) when `text` was filled to its last byte: an
// overrun inside an object escapes the address sanitizer but not this.
void check_text(const string& text);

// check_text on every text of the catalogue: names, labels, captions, notes,
// line names (as written and in force) and remarks.
void check_catalogue_texts();

// Empties the catalogue and frees what the last read made.
void reset_catalogue();

// A small fixed catalogue, opened once.
FILE* fixed_catalogue();

// Answers the query in force against `catalogue` from its start, reading it
// twice as the web program does, and writes the page to page_sink().
void write_page(FILE* catalogue);

}  // namespace fuzz

#endif  // CATALIX_FUZZ_FUZZ_SUPPORT_H_
