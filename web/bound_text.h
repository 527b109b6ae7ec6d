#ifndef CATALIX_WEB_BOUND_TEXT_H_
#define CATALIX_WEB_BOUND_TEXT_H_

// A bound as typed into the web form.  Taken only when, white space around
// it left aside, it is one decimal number that strtod reads whole and that
// is finite: then its value is the one the form file's reader finds in the
// same text.  Refused: hexadecimal ("0x1p3"), "inf", "nan", anything after
// the number ("5A"), and numbers too large for a double ("1e999").  The
// form repeats this grammar as each bound's pattern (site/query.body.html).

#include <string>

enum class bound_fault { none, empty, not_a_number, not_finite };

bound_fault read_bound_text(const std::string& text, double* value);

// `text` without the white space around it (the C locale's, which the form
// file's reader skips before a number).
std::string without_form_space(const std::string& text);

#endif  // CATALIX_WEB_BOUND_TEXT_H_
