#ifndef CATALIX_TABLE_LINE_ROW_H_
#define CATALIX_TABLE_LINE_ROW_H_

// One row of the line table: what one line row of the results page shows,
// as values rather than as page text.

#include <string>

#include "catalogue/catalogue.h"

// A column of the line table.  `datatype` is the VOTable type; `unit` is in
// the unit syntax of VOTable 1.3 ("---" for a number without one), empty
// where no unit belongs (texts) or none can be given: log N is a plain
// number, since a reader that masks its columns (astropy) cannot mask a
// logarithmic unit such as "[cm-2]"; `ucd` is from the IVOA UCD1+ list.
struct line_column {
  const char* name;
  const char* datatype;
  const char* unit;
  const char* ucd;
  const char* description;
};

const int kLineColumns = 14;
extern const line_column kLineColumn[kLineColumns];

// One cell: null, or a text.  A number's text is its shortest exact form; a
// catalogue text is its bytes as read (the writers clean and escape it).
struct line_cell {
  bool null = true;
  bool number = false;
  std::string text;
};

// The cells of one line row.  Their strings are reused from row to row.
class line_row {
 public:
  // `system` is the system's number within its spectrum, from 1.
  void fill(const QSO_spectrum& spectrum, int system, const header& head,
            const record& line);

  line_cell cells[kLineColumns];

 private:
  void set_text(int column, const char* text);
  void set_number(int column, double x);
  // A catalogue number: null when not given, null with an entry in the
  // symbols column when it holds a symbol, else the number.
  void set_value(int column, double x);
};

// The shortest text that reads back as the same double; NaN and the two
// infinities as VOTable spells them.
std::string shortest_number(double x);

#endif  // CATALIX_TABLE_LINE_ROW_H_
