#ifndef CATALIX_REPORT_STYLE_H_
#define CATALIX_REPORT_STYLE_H_

// The style settings of the results page, from style.var.

#include <cstdio>

#include "catalogue/string.h"

extern int border;             // left out of the tables when negative
extern int width;              // percent of the page
extern int height;             // percent of the page
extern char color_interchange; // 'y' alternates line row colours
extern char header_align;      // read and kept; nothing uses it
extern char cell_align;        // align of every table row
extern char table_align;       // always 'c'
extern int row_indx;           // line rows written in the current table

// Reads the six entries from `in` into the globals above.
void read_style_settings(input::source& in);

// Reads style.var (the web program names the one in its data folder).
// Returns 0 when it was opened, 1 (after its message, which always names
// style.var) when it cannot be; the defaults then stay.
int init_style_variables(const char* path = "style.var");

// "left", "center", "right" for 'l', 'c', 'r'; empty for anything else.
string align_type_convert(char letter);
// The same text without a copy, for the page writers (one call per row).
const char* align_word(char letter);

// "white" for 0, "#c0c0c0" for 1, "#00aaaa" for anything else.
string color_change(int parity);
const char* row_color(int parity);

#endif  // CATALIX_REPORT_STYLE_H_
