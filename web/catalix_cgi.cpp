// catalix-cgi: answers one query of the web form as a CGI program.  The
// query comes from the request; the catalogue and style.var from the folder
// that the server's configuration names in CATALIX_DATA.  The answer is the
// page that catalix would write for a form file of the same values, written
// straight to the server; nothing is written to disk.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogue/input.h"
#include "catalogue/messages.h"
#include "report/rereading_page.h"
#include "report/style.h"
#include "web/answer.h"
#include "web/cgi_request.h"
#include "web/form_decoding.h"
#include "web/query_fields.h"

int main() {
  // Standard output is the answer: messages go to the server's log.
  messages::stream = stderr;

  const request_text request = read_request(stdin);
  if (request.status != 0) {
    write_refusal(stdout, request.status, request.why);
    return 0;
  }
  const std::vector<field_fault> faults = set_query_from_form(decode_form(request.text));
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
  FILE* catalogue = input::open((folder + "absrp_sys_list.dat").c_str());
  if (catalogue == nullptr) {
    messages::say("error of reading absrp_sys_list.dat\n");
    write_refusal(stdout, 500, "The catalogue in the folder CATALIX_DATA cannot be read.");
    return 0;
  }

  // The whole catalogue is read before the first byte of the answer.
  rereading_page page(catalogue);
  page.select();
  write_page_header(stdout);
  const bool whole = page.write(stdout);
  std::fclose(catalogue);
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
