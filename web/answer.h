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
enum class answer_format { html, votable, csv, names, tsv };

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

// The header of a DALI request's answer (web/dali_query.h): `media_type`,
// as its RESPONSEFORMAT named it, with the character set, and no file name
// to save it under; for a table, Catalix-Query-Status: OK or OVERFLOW where
// `query_status` is not null (HEAD leaves it out, as the catalogue is not
// read for it).  The page's header is the form's.
void write_dali_header(const answer_channel& to, answer_format format, const char* media_type,
                       const char* query_status, const validators& cache);

// A DALI request refused with `status` (400, or 500 for the server's
// fault): a VOTable whose QUERY_STATUS is ERROR with `why`, for CSV and TSV
// `why` as plain text, for the page a refusal page.  `why` must be plain
// text; the VOTable escapes it.
void write_dali_error(const answer_channel& to, answer_format format, const char* media_type,
                      int status, const std::string& why);

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
