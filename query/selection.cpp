#include "query/selection.h"

QSO_spectrum* First_selected_QSO = nullptr;
int number_of_Selected_QSO = 0;
int total_number_of_QSO = 0;

namespace {

// Appends `item` to a list given by its head and its last element.
template <typename T>
void append(T** head, T** last, T* item) {
  item->next_selected = nullptr;
  if (*head == nullptr) {
    *head = item;
  } else {
    (*last)->next_selected = item;
  }
  *last = item;
}

// Returns the number of matching intervals.
unsigned long long select_intervals(header* block) {
  unsigned long long matching = 0;
  block->first_selected = nullptr;
  header_record* last = nullptr;
  for (header_record* entry = &block->first_entry; entry != nullptr;
       entry = entry->next) {
    if (entry->characteristic() != 0) {
      append(&block->first_selected, &last, entry);
      ++matching;
    }
  }
  return matching;
}

// Returns the sum of the match values; counts the lines examined.
unsigned long long select_lines(record_group* lines, int* examined) {
  unsigned long long sum = 0;
  lines->first_selected = nullptr;
  record* last = nullptr;
  for (record* line = &lines->first_record; line != nullptr; line = line->next) {
    if (line->characteristic() != 0) {
      line->prev_selected = last;
      append(&lines->first_selected, &last, line);
      sum += static_cast<unsigned long long>(line->selected);
    }
    ++*examined;
  }
  return sum;
}

}  // namespace

void start_result_list() {
  total_number_of_QSO = 0;
  number_of_Selected_QSO = 0;
  First_selected_QSO = nullptr;
}

bool select_QSO_spectrum(QSO_spectrum* spectrum, int* examined) {
  spectrum->first_selected = nullptr;
  sub_record* last_system = nullptr;
  for (sub_record* system = &spectrum->first_sys; system != nullptr;
       system = system->next) {
    const unsigned long long intervals = select_intervals(&system->sys_header);
    const unsigned long long lines = select_lines(&system->lines, examined);
    if (intervals != 0 && lines != 0) {
      append(&spectrum->first_selected, &last_system, system);
    }
  }
  return spectrum->first_selected != nullptr;
}

int result_list_generator() {
  First_selected_QSO = nullptr;
  int examined = 0;
  QSO_spectrum* last_spectrum = nullptr;
  for (QSO_spectrum* spectrum = &First_QSO_spectrum; spectrum != nullptr;
       spectrum = spectrum->next) {
    if (select_QSO_spectrum(spectrum, &examined)) {
      append(&First_selected_QSO, &last_spectrum, spectrum);
      ++number_of_Selected_QSO;
    }
    ++total_number_of_QSO;
  }
  return examined;
}
