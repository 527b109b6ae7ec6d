#include "web/answer.h"

#include <cstdlib>
#include <cstring>

#include "table/table_writer.h"
#include "text/escaping.h"
#include "web/http_date.h"

namespace {

const char* reason_phrase(int status) {
  switch (status) {
    case 400:
      return "Bad Request";
    case 405:
      return "Method Not Allowed";
    case 413:
      return "Content Too Large";
    case 415:
      return "Unsupported Media Type";
    default:
      return "Internal Server Error";
  }
}

// Whatever the page's character set, nothing from the request is markup.
std::string escaped(const std::string& text) {
  std::string out;
  escaping::append_html_text(&out, text);
  return out;
}

// A value is shown only so far: the sender knows the rest.
const std::size_t kValueShown = 40;

// RFC 2978's characters of a charset name; IANA's names are far shorter.
bool is_charset_name(const char* name) {
  const std::size_t length = std::strlen(name);
  if (length == 0 || length > 40) return false;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = name[i];
    const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!alnum && std::strchr("!#$%&'+-^_`{}~", c) == nullptr) return false;
  }
  return true;
}

void write_validators(FILE* out, const validators& cache) {
  std::fprintf(out, "ETag: %s\n", cache.etag.c_str());
  const std::string date = format_http_date(cache.last_modified);
  if (!date.empty()) std::fprintf(out, "Last-Modified: %s\n", date.c_str());
}

}  // namespace

bool configured_charset(std::string* charset) {
  const char* name = std::getenv("CATALIX_CHARSET");
  *charset = "UTF-8";
  if (name == nullptr || *name == '\0') return true;
  if (!is_charset_name(name)) return false;
  *charset = name;
  return true;
}

void write_answer_header(const answer_channel& to, answer_format format,
                         const validators& cache) {
  // The tables are UTF-8 whatever the catalogue's bytes (text/text_encoding.h).
  switch (format) {
    case answer_format::html:
      std::fprintf(to.out, "Content-Type: text/html; charset=%s\n", to.charset.c_str());
      break;
    case answer_format::votable:
      std::fputs("Content-Type: application/x-votable+xml; charset=UTF-8\n"
                 "Content-Disposition: attachment; filename=\"catalix-lines.vot\"\n", to.out);
      break;
    case answer_format::csv:
      std::fputs("Content-Type: text/csv; charset=UTF-8; header=present\n"
                 "Content-Disposition: attachment; filename=\"catalix-lines.csv\"\n", to.out);
      break;
    case answer_format::tsv:
      std::fputs("Content-Type: text/tab-separated-values; charset=UTF-8\n"
                 "Content-Disposition: attachment; filename=\"catalix-lines.tsv\"\n", to.out);
      break;
    case answer_format::names:
      std::fputs("Content-Type: application/json; charset=UTF-8\n", to.out);
      break;
  }
  std::fputs("X-Content-Type-Options: nosniff\nCache-Control: no-cache\n", to.out);
  write_validators(to.out, cache);
  std::fputs("\n", to.out);
}

void write_dali_header(const answer_channel& to, answer_format format, const char* media_type,
                       const char* query_status, const validators& cache) {
  if (format == answer_format::html) return write_answer_header(to, format, cache);
  std::fprintf(to.out, "Content-Type: %s; charset=UTF-8%s\n", media_type,
               format == answer_format::csv ? "; header=present" : "");
  std::fputs("X-Content-Type-Options: nosniff\nCache-Control: no-cache\n", to.out);
  write_validators(to.out, cache);
  if (query_status != nullptr) std::fprintf(to.out, "Catalix-Query-Status: %s\n", query_status);
  std::fputs("\n", to.out);
}

void write_dali_error(const answer_channel& to, answer_format format, const char* media_type,
                      int status, const std::string& why) {
  if (format == answer_format::html) return write_refusal(to, status, why);
  const bool votable = format == answer_format::votable;
  std::fprintf(to.out, "Status: %d %s\nContent-Type: %s; charset=UTF-8\n", status,
               reason_phrase(status), votable ? media_type : "text/plain");
  std::fputs("X-Content-Type-Options: nosniff\nCache-Control: no-store\n\n", to.out);
  if (!to.with_body) return;
  if (votable) {
    write_error_votable(to.out, why);
  } else {
    std::fprintf(to.out, "%s\n", why.c_str());
  }
}

void write_not_modified(const answer_channel& to, const validators& cache) {
  std::fputs("Status: 304 Not Modified\nX-Content-Type-Options: nosniff\n"
             "Cache-Control: no-cache\n", to.out);
  write_validators(to.out, cache);
  std::fputs("\n", to.out);
}

void write_refusal(const answer_channel& to, int status, const std::string& why,
                   const std::vector<field_fault>& faults, const std::string& form_values) {
  FILE* out = to.out;
  const char* reason = reason_phrase(status);
  std::fprintf(out, "Status: %d %s\n", status, reason);
  if (status == 405) std::fputs("Allow: GET, HEAD, POST\n", out);
  std::fprintf(out, "Content-Type: text/html; charset=%s\n", to.charset.c_str());
  std::fputs("X-Content-Type-Options: nosniff\nCache-Control: no-store\n\n", out);
  if (!to.with_body) return;
  std::fprintf(out, "<html>\n<head>\n<title>%d %s</title>\n</head>\n<body>\n", status, reason);
  std::fprintf(out, "<h3>%d %s</h3>\n<p>%s</p>\n", status, reason, escaped(why).c_str());
  if (!faults.empty()) {
    std::fputs("<ul>\n", out);
    for (const field_fault& fault : faults) {
      std::fprintf(out, "<li><b>%s</b> %s", escaped(field_label(fault.field)).c_str(),
                   escaped(fault.why).c_str());
      if (!fault.value.empty()) {
        const bool cut = fault.value.size() > kValueShown;
        std::fprintf(out, ": &quot;%s&quot;%s",
                     escaped(fault.value.substr(0, kValueShown)).c_str(), cut ? "..." : "");
      }
      std::fputs("</li>\n", out);
    }
    std::fputs("</ul>\n", out);
  }
  // The values are percent-encoded: only letters, digits, "-._~%=&" remain.
  if (form_values.empty()) {
    std::fputs("<p><a href=\"query.html\">Back to the query form</a></p>\n", out);
  } else {
    std::string href = "query.html?";
    escaping::append_html_attribute(&href, form_values);
    std::fprintf(out, "<p><a href=\"%s\">Back to the query form, with these values</a></p>\n",
                 href.c_str());
  }
  std::fputs("</body>\n</html>\n", out);
}
