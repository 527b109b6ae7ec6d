#ifndef CATALIX_DUMP_SHOW_H_
#define CATALIX_DUMP_SHOW_H_

// The console dumps.  Those of the catalogue's classes are their Show_
// members (catalogue/catalogue.h), defined in show.cpp.

// Writes the query to standard output, one value per line.
int Show_query_parameters();

#endif  // CATALIX_DUMP_SHOW_H_
