#include "web/validators.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "web/http_date.h"

namespace {

// Raise whenever the answers' bytes change for the same files and the same
// question, so that copies made by an older program are not taken as
// current.
const char kAnswerRevision[] = "catalix-cgi 1";

// FNV-1a, 64 bits: an entity tag tells versions of one address apart, it
// needs no strength against someone who makes collisions on purpose.
struct fnv1a {
  std::uint64_t hash = 14695981039346656037ull;
  void add(std::string_view bytes) {
    for (unsigned char c : bytes) {
      hash ^= c;
      hash *= 1099511628211ull;
    }
  }
};

// Size and modification time, to the clock's last digit: a file rewritten
// in the same second gets another state.  False when `path` is not a
// regular file.
bool file_state(const std::string& path, std::string* state, long long* modified) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return false;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return false;
  const fs::file_time_type time = fs::last_write_time(path, error);
  if (error) return false;
  const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch());
  *state = std::to_string(size) + " " + std::to_string(ticks.count());
  *modified = system_seconds(time);
  return true;
}

bool is_list_space(char c) { return c == ' ' || c == '\t' || c == ','; }

}  // namespace

bool answer_validators(const std::string& catalogue, const std::string& style,
                       std::string_view question, validators* out) {
  std::string catalogue_state, style_state = "none";
  long long catalogue_time = 0, style_time = 0;
  if (!file_state(catalogue, &catalogue_state, &catalogue_time)) return false;
  file_state(style, &style_state, &style_time);
  fnv1a h;
  for (const std::string& part : {std::string(kAnswerRevision), catalogue_state, style_state}) {
    h.add(part);
    h.add("|");
  }
  h.add(question);
  char tag[24];
  std::snprintf(tag, sizeof tag, "\"%016llx\"", static_cast<unsigned long long>(h.hash));
  out->etag = tag;
  // Never later than now (RFC 9110, 8.8.2.1), whatever a file's time says.
  out->last_modified = std::min(std::max(catalogue_time, style_time), seconds_now());
  return true;
}

bool etag_list_holds(std::string_view list, std::string_view etag) {
  std::size_t i = 0;
  const auto skip = [&] {
    while (i < list.size() && is_list_space(list[i])) ++i;
  };
  skip();
  if (i < list.size() && list[i] == '*') {
    for (++i; i < list.size(); ++i) {
      if (list[i] != ' ' && list[i] != '\t') return false;
    }
    return true;
  }
  while (i < list.size()) {
    if (list.substr(i, 2) == "W/") i += 2;  // weak comparison: W/ does not count
    if (i == list.size() || list[i] != '"') return false;
    const std::size_t end = list.find('"', i + 1);
    if (end == std::string_view::npos) return false;
    if (list.substr(i, end + 1 - i) == etag) return true;
    i = end + 1;
    skip();
  }
  return false;
}

bool client_copy_current(const validators& answer, const char* if_none_match,
                         const char* if_modified_since, long long now) {
  if (if_none_match != nullptr && *if_none_match != '\0') {
    return etag_list_holds(if_none_match, answer.etag);
  }
  long long since = 0;
  return if_modified_since != nullptr &&
         parse_http_date(if_modified_since, now, &since) && answer.last_modified <= since;
}
