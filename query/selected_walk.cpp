#include "query/selected_walk.h"

#include <cstdio>

#include "catalogue/messages.h"
#include "query/selection.h"

spectrum_counts walk_selected_spectra(input::source& catalogue, const selected_visitor& each,
                                      const std::function<void()>& between) {
  start_result_list();
  catalogue_reader reader(catalogue);
  while (reader.next()) {
    if (between) between();
    result_list_generator();
    if (First_selected_QSO != nullptr && each) each(*First_selected_QSO, reader.last_start());
  }
  std::fflush(stdout);
  return {number_of_Selected_QSO, total_number_of_QSO};
}

bool walk_selected_again(input::source& catalogue, const std::vector<long long>& starts,
                         const selected_visitor& each) {
  const messages::quiet_reading quiet;
  catalogue_reader reader(catalogue);
  for (const long long start : starts) {
    reader.read_at(start);
    int examined = 0;
    if (!select_QSO_spectrum(&First_QSO_spectrum, &examined)) return false;
    if (each) each(First_QSO_spectrum, start);
  }
  return true;
}
