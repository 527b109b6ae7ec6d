#include "python/reading_session.h"

#include <cstring>

#include "catalogue/arena.h"
#include "catalogue/source.h"
#include "catalogue/trace.h"
#include "query/query_form.h"
#include "query/selection.h"

namespace {

double* const kBounds[14] = {&min_resolution, &max_resolution, &min_s_to_n, &max_s_to_n,
                             &min_z_abs,      &max_z_abs,      &min_rest_wv, &max_rest_wv,
                             &min_obs_wv,     &max_obs_wv,     &min_width,   &max_width,
                             &min_col_dens,   &max_col_dens};

// Hears where each search that made its 1001 reads (a lost marker) began;
// no other piece reports that many.
class lost_searches : public input::listener {
 public:
  void filled(long long, const unsigned char*, unsigned long) override {}
  void read(input::piece, long long begin, long long, int result) override {
    const int kMaxReads = 1001;
    if (result >= kMaxReads) offsets.push_back(begin);
  }
  std::vector<long long> offsets;
};

}  // namespace

struct reading_session::saved_globals {
  double bounds[14];
  string ion_name;
  QSO_spectrum* first_selected;
  int selected, total;
  FILE* stream;
  messages::receiver* diverted_to;
};

reading_session::reading_session() : saved_(std::make_unique<saved_globals>()) {
  for (int i = 0; i < 14; ++i) saved_->bounds[i] = *kBounds[i];
  saved_->ion_name = query_ion_name;
  saved_->first_selected = First_selected_QSO;
  saved_->selected = number_of_Selected_QSO;
  saved_->total = total_number_of_QSO;
  saved_->stream = messages::stream;
  saved_->diverted_to = messages::diverted_to;
  messages::diverted_to = this;
}

reading_session::~reading_session() {
  for (int i = 0; i < 14; ++i) *kBounds[i] = saved_->bounds[i];
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
  m.file = file_;
  m.text = text;
  if (!m.text.empty() && m.text.back() == '\n') m.text.pop_back();
  said_.push_back(std::move(m));
}

void reading_session::set_query(const double bounds[14], const std::string& ion_name) {
  for (int i = 0; i < 14; ++i) *kBounds[i] = bounds[i];
  query_ion_name = string();
  const std::size_t n = ion_name.size() < string::kCapacity - 1 ? ion_name.size() : string::kCapacity - 1;
  std::memcpy(query_ion_name.text, ion_name.data(), n);
  query_ion_name.text[n] = '\0';
}

void reading_session::get_query(double bounds[14], std::string* ion_name) const {
  for (int i = 0; i < 14; ++i) bounds[i] = *kBounds[i];
  *ion_name = query_ion_name.text;
}

void reading_session::read_form(const std::string& path) {
  input::source form(path.c_str());
  if (!form.is_open()) throw unreadable_input("error of opening file " + path, path);
  // A field the form lacks keeps its start value.
  for (double* bound : kBounds) *bound = 0.0;
  query_ion_name = string();
  file_ = path;
  const std::size_t first = said_.size();
  lost_searches places;
  form.listen(&places);
  read_query_form(form);
  locate(first, path, places.offsets);
}

int reading_session::read_catalogue(const std::string& path,
                                    const std::function<void(QSO_spectrum&)>& each) {
  input::source in(path.c_str());
  if (!in.is_open()) throw unreadable_input("error of reading " + path, path);
  file_ = path;
  catalogue_reader reader(in);
  int spectra = 0;
  for (;;) {
    const std::size_t first = said_.size();
    if (!reader.next()) break;
    if (said_.size() > first) {
      // The same bytes again, listening, for where the messages arose.
      lost_searches places;
      in.listen(&places);
      quiet_ = true;
      reader.read_at(reader.last_start());
      quiet_ = false;
      in.listen(nullptr);
      locate(first, path, places.offsets);
    }
    ++spectra;
    each(First_QSO_spectrum);
  }
  return spectra;
}

void reading_session::locate(std::size_t first, const std::string& path,
                             const std::vector<long long>& offsets) {
  if (said_.size() == first) return;
  if (!lines_ || lines_path_ != path) {
    lines_ = std::make_unique<line_index>(path);
    lines_path_ = path;
  }
  for (std::size_t i = first, j = 0; i < said_.size() && j < offsets.size(); ++i, ++j) {
    if (!lines_->is_open()) break;
    const line_index::place at = lines_->locate(offsets[j]);
    said_[i].line = at.line;
    said_[i].column = at.column;
  }
}
