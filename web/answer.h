#ifndef CATALIX_WEB_ANSWER_H_
#define CATALIX_WEB_ANSWER_H_

// What catalix-cgi sends back: the CGI header lines, and the short pages that
// refuse a request.  Nothing from the request reaches a page unescaped.

#include <cstdio>
#include <string>
#include <vector>

#include "web/query_fields.h"

// The answer's forms: the results page, or the selected lines as a table.
enum class answer_format { html, votable, csv };

// The header of an answer: its type, for a table the name it is saved under,
// and the blank line.
void write_answer_header(FILE* out, answer_format format = answer_format::html);

// A refusal with `status` (400, 405, 413, 415 or 500): its header lines and
// a page that gives `why` and, one by one, the faulty fields.
void write_refusal(FILE* out, int status, const std::string& why,
                   const std::vector<field_fault>& faults = {});

#endif  // CATALIX_WEB_ANSWER_H_
