// catalix-cgi: answers one query of the web form as a CGI program.  The
// query comes from the request; the catalogue and style.var from the folder
// that the server's configuration names in CATALIX_DATA.  The answer is the
// page that catalix would write for a form file of the same values, written
// straight to the server; nothing is written to disk.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/command_line.h"
#include "catalogue/source.h"
#include "catalogue/messages.h"
#include "report/rereading_page.h"
#include "report/style.h"
#include "table/line_table.h"
#include "web/answer.h"
#include "web/cgi_request.h"
#include "web/form_decoding.h"
#include "web/query_fields.h"

namespace {

const program_usage usage = {
    "catalix-cgi", "",
    "A CGI program: a web server runs it for each query of the form query.html,\n"
    "with CATALIX_DATA naming the folder of the catalogue.\n"};
const char not_served[] =
    "catalix-cgi is a CGI program: a web server runs it for each query of the\n"
    "form query.html.  Serve it with the site's pages and set CATALIX_DATA to\n"
    "the folder of absrp_sys_list.dat; for lighttpd:\n"
    "  server.modules += ( \"mod_cgi\", \"mod_setenv\" )\n"
    "  cgi.assign = ( \"/catalix-cgi\" => \"\" )\n"
    "  setenv.add-environment = ( \"CATALIX_DATA\" => \"/srv/catalix\" )\n"
    "catalix-cgi(1) shows Apache's too.  To try one query by hand, set\n"
    "REQUEST_METHOD=GET, QUERY_STRING and CATALIX_DATA.\n";

// format=html|votable|csv, html when left out.
bool read_format(const std::vector<form_field>& fields, answer_format* format,
                 std::vector<field_fault>* faults) {
  std::string value;
  *format = answer_format::html;
  if (!single_value(fields, "format", false, &value, faults)) return faults->empty();
  if (value == "html") return true;
  if (value == "votable") {
    *format = answer_format::votable;
  } else if (value == "csv") {
    *format = answer_format::csv;
  } else {
    faults->push_back({"format", "is none of html, votable and csv", value});
    return false;
  }
  return true;
}

// The selected lines as a table, written as the catalogue is read.
int answer_with_table(input::source& catalogue, answer_format format) {
  write_answer_header(stdout, format);
  const int status = write_line_table(
      catalogue, stdout, format == answer_format::csv ? table_format::csv : table_format::votable);
  if (status != 0 || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("catalix-cgi: the answer could not be sent whole\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int answered = answer_outside_server(argc, argv, usage, not_served); answered >= 0) {
    return answered;
  }
  // Standard output is the answer: messages go to the server's log.
  messages::stream = stderr;

  const request_text request = read_request(stdin);
  if (request.status != 0) {
    write_refusal(stdout, request.status, request.why);
    return 0;
  }
  const std::vector<form_field> fields = decode_form(request.text);
  std::vector<field_fault> faults = set_query_from_form(fields);
  answer_format format;
  read_format(fields, &format, &faults);
  if (!faults.empty()) {
    write_refusal(stdout, 400, "Some fields of the query are wrong:", faults);
    return 0;
  }

  const char* data = std::getenv("CATALIX_DATA");
  if (data == nullptr || *data == '\0') {
    std::fputs("catalix-cgi: CATALIX_DATA is not set\n", stderr);
    write_refusal(stdout, 500, "The server does not set CATALIX_DATA.");
    return 0;
  }
  const std::string folder = std::string(data) + "/";
  init_style_variables((folder + "style.var").c_str());  // a missing one leaves the defaults
  input::source catalogue((folder + "absrp_sys_list.dat").c_str());
  if (!catalogue.is_open()) {
    messages::say("error of reading absrp_sys_list.dat\n");
    write_refusal(stdout, 500, "The catalogue in the folder CATALIX_DATA cannot be read.");
    return 0;
  }

  if (format != answer_format::html) return answer_with_table(catalogue, format);

  // The whole catalogue is read before the first byte of the answer.
  rereading_page page(catalogue);
  page.select();
  write_answer_header(stdout);
  const bool whole = page.write(stdout);
  if (!whole) {
    std::fputs("catalix-cgi: the catalogue changed while it was read; the page is cut short\n",
               stderr);
    return 1;
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("catalix-cgi: the answer could not be sent whole\n", stderr);
    return 1;
  }
  return 0;
}
