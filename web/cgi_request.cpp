#include "web/cgi_request.h"

#include <cstdlib>
#include <cstring>

namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The media type alone: parameters such as "; charset=UTF-8" do not count,
// and its case does not matter.
bool is_form_type(const std::string& content_type) {
  std::string type = content_type.substr(0, content_type.find(';'));
  while (!type.empty() && (type.back() == ' ' || type.back() == '\t')) type.pop_back();
  const char kFormType[] = "application/x-www-form-urlencoded";
  if (type.size() != std::strlen(kFormType)) return false;
  for (std::size_t i = 0; i < type.size(); ++i) {
    if (lower(type[i]) != kFormType[i]) return false;
  }
  return true;
}

// CONTENT_LENGTH: decimal digits; a length past the limit stops counting.
bool read_length(const std::string& text, std::size_t* length) {
  *length = 0;
  if (text.empty()) return true;  // no body
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    if (*length <= kLargestBody) *length = *length * 10 + static_cast<std::size_t>(c - '0');
  }
  return true;
}

request_text refused(int status, const char* why) {
  return {status, why, std::string(), false, false};
}

}  // namespace

request_text read_request(FILE* body) {
  const std::string method = variable("REQUEST_METHOD");
  const bool head = method == "HEAD";
  if (method == "GET" || head) return {0, std::string(), variable("QUERY_STRING"), head, false};
  if (method != "POST") return refused(405, "Only GET, HEAD and POST are answered.");
  if (!is_form_type(variable("CONTENT_TYPE"))) {
    return refused(415, "A POST must be of type application/x-www-form-urlencoded.");
  }
  std::size_t length = 0;
  if (!read_length(variable("CONTENT_LENGTH"), &length)) {
    return refused(400, "The length of the body is not a number.");
  }
  if (length > kLargestBody) return refused(413, "The body is longer than 64 KiB.");
  request_text request{0, std::string(), std::string(length, '\0'), false, true};
  if (length > 0 && std::fread(&request.text[0], 1, length, body) != length) {
    return refused(400, "The body is shorter than its stated length.");
  }
  return request;
}
