#include "check/codes.h"

namespace {

const bool breaks_record = true, keeps_record = false;

}  // namespace

const code_entry kCodes[] = {
#define CHECK_CODE(name, level, after, title, explanation, example, fix) \
  {#name, severity::level, after, title, explanation, example, fix},
#include "check/code_list.h"
#undef CHECK_CODE
};
const int kCodeCount = sizeof(kCodes) / sizeof(kCodes[0]);

const code_entry* find_code(std::string_view code) {
  for (const code_entry& entry : kCodes) {
    if (code == entry.code) return &entry;
  }
  return nullptr;
}

const char* severity_name(severity level) {
  switch (level) {
    case severity::error: return "error";
    case severity::warning: return "warning";
    case severity::note: return "note";
  }
  return "note";
}
