#include "check/reading.h"

#include "catalogue/catalogue.h"

void reading::report(check_code code, long long begin, long long end, const std::string& message,
                     const std::string& field, long long also, const char* fix) {
  if (spectrum_broken) return;
  if (entry_of(code).breaks_record) record_broken = true;
  finding f;
  f.code = code;
  f.begin = begin;
  f.end = end > begin ? end : begin;
  f.also = also;
  f.message = message;
  if (field != "file") f.spectrum = First_QSO_spectrum.qso_name.text;
  f.system = static_cast<int>(systems.size());
  f.field = field;
  if (fix != nullptr) f.fix = fix;
  out.add(std::move(f));
}

record_at* reading::record() {
  return systems.empty() || systems.back().records.empty() ? nullptr : &systems.back().records.back();
}

interval_at* reading::interval() {
  return systems.empty() || systems.back().intervals.empty() ? nullptr : &systems.back().intervals.back();
}

std::string reading::record_field(const char* what) const {
  const std::string name = systems.empty() || systems.back().records.empty()
                               ? std::string()
                               : bytes.text(systems.back().records.back().name_begin,
                                            systems.back().records.back().name_end);
  return "line " + std::to_string(systems.empty() ? 0 : systems.back().records.size()) + " " +
         name + ": " + what;
}

std::string reading::interval_field(const char* what) const {
  return "interval " + std::to_string(systems.empty() ? 0 : systems.back().intervals.size()) + ": " +
         what;
}
