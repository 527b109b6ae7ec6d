#ifndef CATALIX_QUERY_SELECTION_H_
#define CATALIX_QUERY_SELECTION_H_

// The selection pass: marks what matches the query and threads the matching
// spectra, systems, intervals and lines into lists beside the catalogue's.

#include "catalogue/catalogue.h"

extern QSO_spectrum* First_selected_QSO;
extern int number_of_Selected_QSO;
extern int total_number_of_QSO;

// Tests every interval and line of the catalogue from First_QSO_spectrum.
// A system is selected when it has a matching interval and a matching line,
// a spectrum when it has a selected system.  Any earlier selection is
// cleared first.  Returns the number of lines examined.
int result_list_generator();

#endif  // CATALIX_QUERY_SELECTION_H_
