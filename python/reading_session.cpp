#include "python/reading_session.h"

#include <array>
#include <cstring>

#include "catalogue/arena.h"
#include "catalogue/catalogue.h"
#include "catalogue/trace.h"
#include "check/line_index.h"
#include "query/query_form.h"
#include "query/selection.h"

namespace {

const int kSearchReads = 1001;

// The query's bounds in the form's order, from the one table of its fields.
std::array<double*, kQueryBounds> query_bounds() {
  std::array<double*, kQueryBounds> bounds{};
  int n = 0;
  for (const query_field& field : kQueryField) {
    if (field.bound != nullptr) bounds[n++] = field.bound;
  }
  return bounds;
}
const std::array<double*, kQueryBounds> kBounds = query_bounds();

// Hears where each search that made its 1001 reads began; no other piece
// reports that many.
class lost_searches : public input::listener {
 public:
  void filled(long long, const unsigned char*, unsigned long) override {}
  void read(input::piece, long long begin, long long, int result) override {
    if (result >= kSearchReads) begins.push_back(begin);
  }
  std::vector<long long> begins;
};

void read_form_again(input::source& form) { read_query_form(form); }
void read_catalogue_again(input::source& catalogue) {
  Read_Data_Base(catalogue, [](QSO_spectrum&) {});
}

}  // namespace

struct reading_session::saved_globals {
  double bounds[kQueryBounds];
  string ion_name;
  QSO_spectrum* first_selected;
  int selected, total;
  FILE* stream;
  messages::receiver* diverted_to;
};

reading_session::reading_session() : saved_(std::make_unique<saved_globals>()) {
  for (int i = 0; i < kQueryBounds; ++i) saved_->bounds[i] = *kBounds[i];
  saved_->ion_name = query_ion_name;
  saved_->first_selected = First_selected_QSO;
  saved_->selected = number_of_Selected_QSO;
  saved_->total = total_number_of_QSO;
  saved_->stream = messages::stream;
  saved_->diverted_to = messages::diverted_to;
  messages::diverted_to = this;
}

reading_session::~reading_session() {
  for (int i = 0; i < kQueryBounds; ++i) *kBounds[i] = saved_->bounds[i];
  query_ion_name = saved_->ion_name;
  First_selected_QSO = saved_->first_selected;
  number_of_Selected_QSO = saved_->selected;
  total_number_of_QSO = saved_->total;
  messages::stream = saved_->stream;
  messages::diverted_to = saved_->diverted_to;
  // Nothing of the last spectrum stays, and its memory goes back.
  First_QSO_spectrum = QSO_spectrum();
  arena::release_all();
}

void reading_session::heard(const char* text) {
  if (quiet_) return;
  located_message m;
  m.file = path_;
  m.text = text;
  if (!m.text.empty() && m.text.back() == '\n') m.text.pop_back();
  if (reading_ != nullptr) {
    m.after = reading_->offset();
    // A look at the next byte reads nothing away from the readers.
    m.at_end = m.after < kSearchReads || reading_->peek() == input::kEnd;
  }
  said_.push_back(std::move(m));
}

void reading_session::set_query(const double bounds[kQueryBounds], const std::string& ion_name) {
  for (int i = 0; i < kQueryBounds; ++i) *kBounds[i] = bounds[i];
  query_ion_name = string();
  const std::size_t n = ion_name.size() < string::kCapacity - 1 ? ion_name.size() : string::kCapacity - 1;
  std::memcpy(query_ion_name.text, ion_name.data(), n);
  query_ion_name.text[n] = '\0';
}

void reading_session::get_query(double bounds[kQueryBounds], std::string* ion_name) const {
  for (int i = 0; i < kQueryBounds; ++i) bounds[i] = *kBounds[i];
  *ion_name = query_ion_name.text;
}

void reading_session::read_form(const std::string& path) {
  input::source form(path.c_str());
  if (!form.is_open()) throw unreadable_input("error of opening file " + path, path);
  // A field the form lacks keeps its start value.
  for (double* bound : kBounds) *bound = 0.0;
  query_ion_name = string();
  path_ = path;
  reading_ = &form;
  const std::size_t first = said_.size();
  read_query_form(form);
  reading_ = nullptr;
  place(first, path, read_form_again);
}

input::source& reading_session::open_catalogue(const std::string& path) {
  catalogue_ = std::make_unique<input::source>(path.c_str());
  if (!catalogue_->is_open()) throw unreadable_input("error of reading " + path, path);
  path_ = path;
  reading_ = catalogue_.get();
  catalogue_first_ = said_.size();
  return *catalogue_;
}

const std::vector<located_message>& reading_session::said() {
  if (catalogue_) {
    reading_ = nullptr;
    place(catalogue_first_, path_, read_catalogue_again);
    catalogue_.reset();
  }
  return said_;
}

void reading_session::place(std::size_t first, const std::string& path,
                            void (*read)(input::source&)) {
  if (said_.size() == first) return;
  std::vector<long long> begins;
  bool at_end = false;
  for (std::size_t i = first; i < said_.size(); ++i) {
    at_end = at_end || said_[i].at_end;
    begins.push_back(said_[i].after - kSearchReads);
  }
  if (at_end) {
    // The same bytes again, listening, for where the searches began.
    input::source again(path.c_str());
    lost_searches heard_again;
    again.listen(&heard_again);
    quiet_ = true;
    read(again);
    quiet_ = false;
    begins = heard_again.begins;
  }
  line_index lines(path);
  for (std::size_t i = first, j = 0; i < said_.size() && j < begins.size() && lines.is_open(); ++i, ++j) {
    const line_index::place at = lines.locate(begins[j]);
    said_[i].line = at.line;
    said_[i].column = at.column;
  }
}
