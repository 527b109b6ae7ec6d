#ifndef CATALIX_QUERY_SELECTION_H_
#define CATALIX_QUERY_SELECTION_H_

// The selection: marks what matches the query and threads the matching
// systems, intervals and lines into lists beside the catalogue's, spectrum
// by spectrum as the catalogue is read, and counts the spectra.

#include "catalogue/catalogue.h"

extern QSO_spectrum* First_selected_QSO;
extern int number_of_Selected_QSO;
extern int total_number_of_QSO;

// Starts the counts of a new catalogue at 0.
void start_result_list();

// Tests every interval and line of the spectra in memory (the list from
// First_QSO_spectrum), threads their selected lists from
// First_selected_QSO, and adds them to the counts.  A system is selected
// when it has a matching interval and a matching line, a spectrum when it
// has a selected system.  Returns the number of lines examined.
int result_list_generator();

// The selection within one spectrum, counting nothing but the lines it
// examines; true when the spectrum is selected.
bool select_QSO_spectrum(QSO_spectrum* spectrum, int* examined);

#endif  // CATALIX_QUERY_SELECTION_H_
