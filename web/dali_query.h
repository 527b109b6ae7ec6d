#ifndef CATALIX_WEB_DALI_QUERY_H_
#define CATALIX_WEB_DALI_QUERY_H_

// A query in the form of IVOA DALI 1.1's synchronous requests, for clients
// such as pyvo, TOPCAT and scripts: a parameter for each interval of the
// query (the DALI names of query/field_table.h), its value as DALI writes
// an interval, two numbers such as "1.5 3.5" with -Inf or +Inf for an open
// end; ION for the ion name; RESPONSEFORMAT and MAXREC.  Names are matched
// without regard to case, as DALI 1.1 says.  Any request that carries none
// of the form's fifteen fields is one of these.

#include <string>
#include <vector>

#include "web/answer.h"
#include "web/form_decoding.h"

// What a DALI request asks of its answer besides the query.
struct dali_answer {
  answer_format format = answer_format::votable;
  const char* media_type = "application/x-votable+xml";  // as RESPONSEFORMAT named it
  long long limit = -1;  // MAXREC, at most kLargestMaxrec; -1 where not given
};

// The most rows an answer holds, whatever MAXREC or CATALIX_MAXREC say.
const long long kLargestMaxrec = 1000000;
// The rows of an answer without MAXREC, unless CATALIX_MAXREC says.
const long long kDefaultMaxrec = 10000;

// Whether `fields` are the form's: they carry one of its fifteen fields.
bool is_form_request(const std::vector<form_field>& fields);

// Reads RESPONSEFORMAT first, so that any later fault is told in the form
// asked for; then the query into its globals (an interval left out
// constrains nothing: -Inf +Inf; ION left out asks for every line: "All"),
// and MAXREC.  Returns the faults, each a sentence that names its parameter
// and shows the value only as printable ASCII; none when all was taken.
std::vector<std::string> read_dali_request(const std::vector<form_field>& fields,
                                           dali_answer* answer);

// The default row limit: CATALIX_MAXREC where the server's configuration
// sets it (a whole number, taken up to kLargestMaxrec), else
// kDefaultMaxrec.  False when it is set to what is no such number.
bool configured_maxrec(long long* limit);

// A whole number of rows from 0, digits alone, taken up to kLargestMaxrec.
bool read_row_count(const std::string& text, long long* rows);

// A DALI interval: two numbers apart, each a decimal number (web/bound_text.h)
// or -Inf, +Inf, Inf in any case.  Null when taken, else what is wrong.
const char* read_interval(const std::string& text, double* lower, double* upper);

#endif  // CATALIX_WEB_DALI_QUERY_H_
