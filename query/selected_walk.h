#ifndef CATALIX_QUERY_SELECTED_WALK_H_
#define CATALIX_QUERY_SELECTED_WALK_H_

// The one walk over the selected spectra of a catalogue, for all that
// answers the query: the page, its second reading, the tables.  A spectrum
// at a time: memory holds one spectrum, and the caller keeps what it needs
// of each before the next is read.

#include <functional>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/source.h"

// The counts of a catalogue read to its end.
struct spectrum_counts {
  int selected = 0;  // spectra with a selected system
  int all = 0;       // spectra read
};

// Called with each selected spectrum (First_QSO_spectrum, its selected
// lists threaded as result_list_generator threads them) and the offset
// where its reading began.
using selected_visitor = std::function<void(QSO_spectrum& spectrum, long long start)>;

// Reads the catalogue from where `catalogue` stands to its end, selects in
// each spectrum with the query already read, and hands each selected one to
// `each` (which may be empty).  The reader's messages are said as they
// occur.  Returns the counts, which number_of_Selected_QSO and
// total_number_of_QSO hold too.  `between`, where given, is called before
// each spectrum's selection, selected or not: a caller that lets signals in
// now and then (Python's Ctrl-C) does it there, and may throw.
spectrum_counts walk_selected_spectra(input::source& catalogue, const selected_visitor& each,
                                      const std::function<void()>& between = nullptr);

// Reads again, saying nothing, the spectra that begin at `starts` (offsets
// that the walk above gave, in order), selects in each and hands it to
// `each`; the counts stay as they are.  Returns false, stopping, at the
// first that is no longer selected: the catalogue changed since.
bool walk_selected_again(input::source& catalogue, const std::vector<long long>& starts,
                         const selected_visitor& each);

#endif  // CATALIX_QUERY_SELECTED_WALK_H_
