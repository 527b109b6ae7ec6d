#ifndef CATALIX_WEB_ANSWER_H_
#define CATALIX_WEB_ANSWER_H_

// What catalix-cgi sends back: the CGI header lines, and the short pages that
// refuse a request.  Nothing from the request reaches a page unescaped.
// Every answer says how it may be cached: one made from the catalogue may
// be kept but is checked again before each use (Cache-Control: no-cache,
// with its validators), a refusal is not kept at all (no-store).

#include <cstdio>
#include <string>
#include <vector>

#include "web/query_fields.h"
#include "web/validators.h"

// The answer's forms: the results page, the selected lines as a table, or
// the list of the catalogue's line names.
enum class answer_format { html, votable, csv, names };

// Where an answer goes, whether its body goes too (not for HEAD), and the
// character set that HTML answers declare.
struct answer_channel {
  FILE* out;
  bool with_body;
  std::string charset;
};

// The character set of the HTML answers: CATALIX_CHARSET where the
// server's configuration sets it (for a catalogue written in ISO-8859-1,
// say), else UTF-8.  False when it is set to what is no character set name.
bool configured_charset(std::string* charset);

// The header of an answer: its type and character set, how it may be
// cached, for a table the name it is saved under, and the blank line.
void write_answer_header(const answer_channel& to, answer_format format,
                         const validators& cache);

// 304: the client's copy is current.
void write_not_modified(const answer_channel& to, const validators& cache);

// A refusal with `status` (400, 405, 413, 415 or 500): its header lines and
// a page that gives `why`, the faulty fields one by one under their labels,
// and a link back to the form, opened with `form_values` (a query string,
// see form_values_query).
void write_refusal(const answer_channel& to, int status, const std::string& why,
                   const std::vector<field_fault>& faults = {},
                   const std::string& form_values = std::string());

#endif  // CATALIX_WEB_ANSWER_H_
