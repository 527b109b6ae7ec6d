#include "web/dali_query.h"

#include <cmath>
#include <cstdlib>

#include "query/field_table.h"
#include "web/bound_text.h"
#include "web/query_fields.h"

namespace {

// RESPONSEFORMAT's values, matched without regard to case: DALI's short
// forms and the media types, which the answer's Content-Type repeats.
struct format_name {
  const char* name;
  answer_format format;
  const char* media_type;
};

const format_name kFormats[] = {
    {"votable", answer_format::votable, "application/x-votable+xml"},
    {"application/x-votable+xml", answer_format::votable, "application/x-votable+xml"},
    {"text/xml", answer_format::votable, "text/xml"},
    {"csv", answer_format::csv, "text/csv"},
    {"text/csv", answer_format::csv, "text/csv"},
    {"tsv", answer_format::tsv, "text/tab-separated-values"},
    {"text/tab-separated-values", answer_format::tsv, "text/tab-separated-values"},
    {"html", answer_format::html, "text/html"},
    {"text/html", answer_format::html, "text/html"},
};

// A value is shown only so far, and only as printable ASCII, so that no
// message can carry markup's or a terminal's control characters.
const std::size_t kValueShown = 40;

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string shown(const std::string& value) {
  std::string out = "\"";
  for (std::size_t i = 0; i < value.size() && i < kValueShown; ++i) {
    const char c = value[i];
    out += c >= 0x20 && c < 0x7f ? c : '?';
  }
  return out + (value.size() > kValueShown ? "...\"" : "\"");
}

// The names this service takes: each interval's and the ion name's, then
// DALI's own (RUNID is taken and left aside).
std::vector<std::string> known_names() {
  std::vector<std::string> names;
  for (const query_field& field : kQueryField) {
    if (field.role != field_role::upper) names.push_back(field.dali);
  }
  for (const char* name : {"RESPONSEFORMAT", "MAXREC", "RUNID"}) names.push_back(name);
  return names;
}

std::string name_list(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t k = 0; k + 1 < names.size(); ++k) {  // all but RUNID
    list += k == 0 ? "" : k + 2 == names.size() ? " and " : ", ";
    list += names[k];
  }
  return list;
}

// The one value of each known name, by its upper-case name; faults for
// unknown names, names given twice and bad escapes.
void gather(const std::vector<form_field>& fields, std::vector<std::string>* values,
            std::vector<bool>* given, std::vector<std::string>* faults) {
  const std::vector<std::string> names = known_names();
  values->assign(names.size(), std::string());
  given->assign(names.size(), false);
  bool listed = false;  // the names taken, after the first unknown one
  for (const form_field& field : fields) {
    const std::string name = upper(field.name);
    std::size_t k = 0;
    while (k < names.size() && names[k] != name) ++k;
    if (k == names.size()) {
      faults->push_back(shown(field.name) + " is no parameter of this service" +
                        (listed ? "" : ", which takes " + name_list(names)));
      listed = true;
    } else if ((*given)[k]) {
      faults->push_back(name + " is given more than once");
    } else if (!field.value_decoded) {
      faults->push_back(name + " holds a '%' not followed by two hexadecimal digits");
    } else {
      (*given)[k] = true;
      (*values)[k] = field.value;
    }
  }
}

bool read_format(const std::string& value, dali_answer* answer) {
  const std::string name = upper(without_form_space(value));
  for (const format_name& f : kFormats) {
    if (upper(f.name) == name) {
      answer->format = f.format;
      answer->media_type = f.media_type;
      return true;
    }
  }
  return false;
}

// Each interval and the ion name, in the order of the form: `values` and
// `given` begin with them.
void read_query(const std::vector<std::string>& values, const std::vector<bool>& given,
                std::vector<std::string>* faults) {
  std::size_t k = 0;
  for (int i = 0; i < kQueryFields; ++i) {
    const query_field& field = kQueryField[i];
    if (field.role == field_role::upper) continue;
    const std::string& value = values[k];
    if (field.role == field_role::name) {
      const char* why = take_ion_name(given[k] ? value : "All");
      if (why != nullptr) faults->push_back(std::string("ION ") + why + ": " + shown(value));
    } else if (!given[k]) {
      *field.bound = -HUGE_VAL;
      *kQueryField[i + 1].bound = HUGE_VAL;
    } else if (const char* why = read_interval(value, field.bound, kQueryField[i + 1].bound)) {
      faults->push_back(std::string(field.dali) + " " + why + ": " + shown(value));
    }
    ++k;
  }
}

}  // namespace

bool is_form_request(const std::vector<form_field>& fields) {
  for (const form_field& given : fields) {
    for (const query_field& field : kQueryField) {
      if (given.name == field.name) return true;
    }
  }
  return false;
}

std::vector<std::string> read_dali_request(const std::vector<form_field>& fields,
                                           dali_answer* answer) {
  std::vector<std::string> faults, values;
  std::vector<bool> given;
  gather(fields, &values, &given, &faults);
  // DALI's own names end the list: RESPONSEFORMAT, MAXREC, RUNID.
  const std::size_t format = values.size() - 3, maxrec = values.size() - 2;
  if (given[format] && !read_format(values[format], answer)) {
    faults.insert(faults.begin(),
                  "RESPONSEFORMAT is none of votable, csv, tsv, html and their media types: " +
                      shown(values[format]));
  }
  read_query(values, given, &faults);
  if (given[maxrec] && !read_row_count(values[maxrec], &answer->limit)) {
    faults.push_back("MAXREC is not a whole number of rows: " + shown(values[maxrec]));
  }
  return faults;
}

bool read_row_count(const std::string& text, long long* rows) {
  const std::string digits = without_form_space(text);
  if (digits.empty()) return false;
  long long count = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    if (count <= kLargestMaxrec) count = count * 10 + (c - '0');
  }
  *rows = count < kLargestMaxrec ? count : kLargestMaxrec;
  return true;
}

bool configured_maxrec(long long* limit) {
  const char* text = std::getenv("CATALIX_MAXREC");
  *limit = kDefaultMaxrec;
  return text == nullptr || *text == '\0' || read_row_count(text, limit);
}

const char* read_interval(const std::string& text, double* lower, double* upper_bound) {
  const char* const malformed = "is not an interval of two numbers, such as 1.5 3.5 or -Inf 2";
  std::vector<std::string> ends;
  std::string end;
  for (char c : text + " ") {
    if (c == ' ' || (c >= '\t' && c <= '\r')) {
      if (!end.empty()) ends.push_back(end);
      end.clear();
    } else if (ends.size() < 3) {
      end += c;
    }
  }
  if (ends.size() != 2) return malformed;
  double x[2];
  for (int i = 0; i < 2; ++i) {
    const std::string name = upper(ends[i]);
    if (name == "-INF" || name == "+INF" || name == "INF") {
      x[i] = name[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    } else if (read_bound_text(ends[i], &x[i]) != bound_fault::none) {
      return malformed;
    }
  }
  if (x[0] > x[1]) return "has its lower bound above its upper bound";
  *lower = x[0];
  *upper_bound = x[1];
  return nullptr;
}
