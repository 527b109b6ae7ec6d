#include "web/answer.h"

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

// Markup characters become references; bytes that are not printable ASCII
// become '?', so that no encoding guess can turn them into markup.
std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
  }
  return out;
}

// A value is shown only so far: the sender knows the rest.
const std::size_t kValueShown = 40;

}  // namespace

void write_answer_header(FILE* out, answer_format format) {
  switch (format) {
    case answer_format::html:
      std::fputs("Content-Type: text/html\n\n", out);
      break;
    case answer_format::votable:
      std::fputs("Content-Type: application/x-votable+xml\n"
                 "Content-Disposition: attachment; filename=\"catalix-lines.vot\"\n\n", out);
      break;
    case answer_format::csv:
      std::fputs("Content-Type: text/csv; charset=utf-8; header=present\n"
                 "Content-Disposition: attachment; filename=\"catalix-lines.csv\"\n\n", out);
      break;
  }
}

void write_refusal(FILE* out, int status, const std::string& why,
                   const std::vector<field_fault>& faults) {
  const char* reason = reason_phrase(status);
  std::fprintf(out, "Status: %d %s\n", status, reason);
  if (status == 405) std::fputs("Allow: GET, POST\n", out);
  std::fputs("Content-Type: text/html\n\n", out);
  std::fprintf(out, "<html>\n<head>\n<title>%d %s</title>\n</head>\n<body>\n", status, reason);
  std::fprintf(out, "<h3>%d %s</h3>\n<p>%s</p>\n", status, reason, escaped(why).c_str());
  if (!faults.empty()) {
    std::fputs("<ul>\n", out);
    for (const field_fault& fault : faults) {
      std::fprintf(out, "<li><b>%s</b> %s", escaped(fault.field).c_str(),
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
  std::fputs("<p><a href=\"query.html\">Back to the query form</a></p>\n</body>\n</html>\n", out);
}
