// catalix-cgi: answers one query of the web form, or of a DALI client
// (pyvo, TOPCAT, a script), as a CGI program.  The query comes from the
// request; the catalogue and style.var from the folder that the server's
// configuration names in CATALIX_DATA.  The answer is the page that catalix
// would write for a form file of the same values, or the selected lines as
// a table, written straight to the server; nothing is written to disk.  A
// GET of "?names" answers with the catalogue's line names for the form's
// list.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "catalogue/source.h"
#include "catalogue/messages.h"
#include "report/rereading_page.h"
#include "report/style.h"
#include "table/line_table.h"
#include "web/answer.h"
#include "web/cgi_request.h"
#include "web/dali_query.h"
#include "web/form_decoding.h"
#include "web/http_date.h"
#include "web/ion_names.h"
#include "web/query_fields.h"
#include "web/validators.h"

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

// How a request is refused where the server is at fault: the form's with a
// page that links back to it, filled in; a DALI request's in the form that
// its answer would have had.
struct server_refusal {
  std::string form_values;
  const dali_answer* dali = nullptr;

  void send(const answer_channel& answer, const std::string& why) const {
    if (dali != nullptr) {
      write_dali_error(answer, dali->format, dali->media_type, 500, why);
    } else {
      write_refusal(answer, 500, why, {}, form_values);
    }
  }
};

// The folder CATALIX_DATA names, with a '/' after it; else a 500 is sent.
bool data_folder(const answer_channel& answer, const server_refusal& refusal,
                 std::string* folder) {
  const char* data = std::getenv("CATALIX_DATA");
  if (data == nullptr || *data == '\0') {
    std::fputs("catalix-cgi: CATALIX_DATA is not set\n", stderr);
    refusal.send(answer, "The server does not set CATALIX_DATA.");
    return false;
  }
  *folder = std::string(data) + "/";
  return true;
}

// The catalogue, open, and the answer's validators.  Null when the answer
// has been sent already: a 500, or a 304 for a GET or HEAD whose copy is
// current, told from the files' sizes and times alone (a POST's
// conditions are not looked at).
std::unique_ptr<input::source> open_catalogue(const request_text& request, const answer_channel& answer,
                     const std::string& folder, const std::string& question,
                     const server_refusal& refusal, validators* cache) {
  const std::string path = folder + "absrp_sys_list.dat";
  if (answer_validators(path, folder + "style.var", question, cache)) {
    if (!request.post && client_copy_current(*cache, std::getenv("HTTP_IF_NONE_MATCH"),
                                             std::getenv("HTTP_IF_MODIFIED_SINCE"),
                                             seconds_now())) {
      write_not_modified(answer, *cache);
      return nullptr;
    }
    auto catalogue = std::make_unique<input::source>(path.c_str());
    if (catalogue->is_open()) return catalogue;
  }
  messages::say("error of reading absrp_sys_list.dat\n");
  refusal.send(answer, "The catalogue in the folder CATALIX_DATA cannot be read.");
  return nullptr;
}

bool sent_whole(FILE* out) {
  if (std::fflush(out) == 0 && !std::ferror(out)) return true;
  std::fputs("catalix-cgi: the answer could not be sent whole\n", stderr);
  return false;
}

// The catalogue's line names, as JSON.
int answer_with_names(const request_text& request, const answer_channel& answer) {
  std::string folder;
  if (!data_folder(answer, {}, &folder)) return 0;
  validators cache;
  const auto catalogue = open_catalogue(request, answer, folder, "names", {}, &cache);
  if (catalogue == nullptr) return 0;
  write_answer_header(answer, answer_format::names, cache);
  if (answer.with_body) write_ion_names_json(answer.out, count_ion_names(*catalogue));
  return sent_whole(answer.out) ? 0 : 1;
}

table_format table_format_of(answer_format format) {
  return format == answer_format::csv   ? table_format::csv
         : format == answer_format::tsv ? table_format::tsv
                                        : table_format::votable;
}

// The selected lines as a table, written as the catalogue is read.
int answer_with_table(input::source& catalogue, const answer_channel& answer, answer_format format,
                      const validators& cache) {
  write_answer_header(answer, format, cache);
  const int status = write_line_table(catalogue, answer.out, table_format_of(format));
  return status == 0 && sent_whole(answer.out) ? 0 : 1;
}

// The page, as catalix writes it; the whole catalogue is read before the
// first byte of the answer.
int answer_with_page(input::source& catalogue, const answer_channel& answer,
                     const validators& cache) {
  rereading_page page(catalogue);
  page.select();
  write_answer_header(answer, answer_format::html, cache);
  if (!page.write(answer.out)) {
    std::fputs("catalix-cgi: the catalogue changed while it was read; the page is cut short\n",
               stderr);
    return 1;
  }
  return sent_whole(answer.out) ? 0 : 1;
}

// A DALI request's table: at most its limit of rows, counted first so that
// its head can say whether rows were left out.
int answer_with_limited_table(input::source& catalogue, const answer_channel& answer,
                              const dali_answer& dali, const validators& cache) {
  limited_line_table table(catalogue, dali.limit);
  table.count();
  write_dali_header(answer, dali.format, dali.media_type, table.overflow() ? "OVERFLOW" : "OK",
                    cache);
  const int status = table.write(answer.out, table_format_of(dali.format));
  if (status == 2) {
    std::fputs("catalix-cgi: the catalogue changed while it was read; the table is cut short\n",
               stderr);
  }
  return status == 0 && sent_whole(answer.out) ? 0 : 1;
}

// The faults as one message; a request of thousands of wrong names gets a
// message of a few lines.
std::string fault_message(const std::vector<std::string>& faults) {
  const std::size_t kFaultsTold = 10;
  std::string why;
  for (std::size_t i = 0; i < faults.size() && i < kFaultsTold; ++i) {
    why += (i == 0 ? "" : "; ") + faults[i];
  }
  if (faults.size() > kFaultsTold) {
    why += "; and " + std::to_string(faults.size() - kFaultsTold) + " faults more";
  }
  return why + ".";
}

// A request without the form's fields, as DALI has it (web/dali_query.h).
int answer_dali(const request_text& request, const answer_channel& answer,
                const std::vector<form_field>& fields) {
  dali_answer dali;
  const std::vector<std::string> faults = read_dali_request(fields, &dali);
  if (!faults.empty()) {
    write_dali_error(answer, dali.format, dali.media_type, 400, fault_message(faults));
    return 0;
  }
  server_refusal refusal;
  refusal.dali = &dali;
  if (dali.limit < 0 && !configured_maxrec(&dali.limit)) {
    std::fputs("catalix-cgi: CATALIX_MAXREC is not a whole number of rows\n", stderr);
    refusal.send(answer, "The server's CATALIX_MAXREC is not a whole number of rows.");
    return 0;
  }
  std::string folder;
  if (!data_folder(answer, refusal, &folder)) return 0;
  const std::string question = query_identity() + "DALI" + static_cast<char>(dali.format) +
                               dali.media_type + '\0' + std::to_string(dali.limit) +
                               answer.charset;
  validators cache;
  const auto catalogue = open_catalogue(request, answer, folder, question, refusal, &cache);
  if (catalogue == nullptr) return 0;
  if (!answer.with_body) {
    write_dali_header(answer, dali.format, dali.media_type, nullptr, cache);
    return sent_whole(answer.out) ? 0 : 1;
  }
  init_style_variables((folder + "style.var").c_str());  // a missing one leaves the defaults
  if (dali.format == answer_format::html) return answer_with_page(*catalogue, answer, cache);
  return answer_with_limited_table(*catalogue, answer, dali, cache);
}

// A request of the form: all fifteen fields, and format.
int answer_form(const request_text& request, const answer_channel& answer,
                const std::vector<form_field>& fields) {
  server_refusal refusal;
  refusal.form_values = form_values_query(fields);
  std::vector<field_fault> faults = set_query_from_form(fields);
  answer_format format;
  read_format(fields, &format, &faults);
  if (!faults.empty()) {
    write_refusal(answer, 400, "Some fields of the query are wrong:", faults, refusal.form_values);
    return 0;
  }
  std::string folder;
  if (!data_folder(answer, refusal, &folder)) return 0;
  const std::string question =
      query_identity() + static_cast<char>(format) + answer.charset;
  validators cache;
  const auto catalogue = open_catalogue(request, answer, folder, question, refusal, &cache);
  if (catalogue == nullptr) return 0;
  if (!answer.with_body) {
    write_answer_header(answer, format, cache);
    return sent_whole(answer.out) ? 0 : 1;
  }
  init_style_variables((folder + "style.var").c_str());  // a missing one leaves the defaults
  if (format != answer_format::html) return answer_with_table(*catalogue, answer, format, cache);
  return answer_with_page(*catalogue, answer, cache);
}

}  // namespace

int main(int argc, char** argv) {
  if (const int answered = answer_outside_server(argc, argv, usage, not_served); answered >= 0) {
    return answered;
  }
  // Standard output is the answer: messages go to the server's log.
  messages::stream = stderr;
#ifdef SIGPIPE
  // A closed answer means the client has gone: end at the next write, not
  // after the whole page has been written into nothing, also where the
  // server starts its programs with SIGPIPE ignored.
  std::signal(SIGPIPE, SIG_DFL);
#endif

  const request_text request = read_request(stdin);
  answer_channel answer{stdout, !request.head, "UTF-8"};
  if (!configured_charset(&answer.charset)) {
    std::fputs("catalix-cgi: CATALIX_CHARSET is not a character set name\n", stderr);
    write_refusal(answer, 500, "The server's CATALIX_CHARSET names no character set.");
    return 0;
  }
  if (request.status != 0) {
    write_refusal(answer, request.status, request.why);
    return 0;
  }
  if (!request.post && request.text == "names") return answer_with_names(request, answer);
  const std::vector<form_field> fields = decode_form(request.text);
  return is_form_request(fields) ? answer_form(request, answer, fields)
                                 : answer_dali(request, answer, fields);
}
