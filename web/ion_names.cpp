#include "web/ion_names.h"

#include "catalogue/catalogue.h"
#include "text/escaping.h"
#include "text/text_encoding.h"
#include "web/bound_text.h"
#include "web/query_fields.h"

namespace {

void count(ion_name_list* names, const char* text) {
  const std::string name = without_form_space(text);
  if (name.empty() || !ion_name_sendable(name)) return;
  const auto found = names->lines.find(name);
  if (found != names->lines.end()) {
    ++found->second;
  } else if (names->lines.size() < kMostIonNames) {
    names->lines.emplace(name, 1);
  } else {
    names->complete = false;
  }
}

// Repaired first, so that a stray byte is U+FFFD itself, not its escape;
// a counted name holds no control character (ion_name_sendable).
void append_name(std::string* out, const std::string& bytes) {
  std::string clean;
  text_encoding::append_clean(&clean, bytes);
  escaping::append_json_string(out, clean);
}

}  // namespace

ion_name_list count_ion_names(input::source& catalogue) {
  ion_name_list names;
  Read_Data_Base(catalogue, [&](QSO_spectrum& spectrum) {
    for (sub_record* system = &spectrum.first_sys; system != nullptr; system = system->next) {
      for (record* line = &system->lines.first_record; line != nullptr; line = line->next) {
        count(&names, line->cur_ion_name.text);
      }
    }
  });
  return names;
}

void write_ion_names_json(FILE* out, const ion_name_list& names) {
  std::string json = "{\"names\":[";
  const char* separator = "";
  for (const auto& [name, lines] : names.lines) {
    json += separator;
    json += "{\"name\":";
    append_name(&json, name);
    json += ",\"lines\":" + std::to_string(lines) + "}";
    separator = ",";
  }
  json += names.complete ? "],\"complete\":true}\n" : "],\"complete\":false}\n";
  std::fwrite(json.data(), 1, json.size(), out);
}
