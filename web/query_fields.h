#ifndef CATALIX_WEB_QUERY_FIELDS_H_
#define CATALIX_WEB_QUERY_FIELDS_H_

// The fifteen fields of the web form, by the names that links keep, checked
// and put into the query globals as if a form file held them.

#include <string>
#include <vector>

#include "web/form_decoding.h"

struct field_fault {
  std::string field;
  std::string why;    // plain text, e.g. "is not a decimal number"
  std::string value;  // what was sent, as decoded; empty where none
};

// Sets the query globals from `fields`.  Returns what is wrong, in the order
// of the form, and nothing when the whole query was taken.  Every field is
// needed, once; fields of other names are ignored.  The ion name is taken
// without white space around it and with one blank after it, as a form file
// holds a name that should end there.
std::vector<field_fault> set_query_from_form(const std::vector<form_field>& fields);

// The one value of field `name`: false, with a fault where the field is
// missing but `required`, given twice, or badly escaped.
bool single_value(const std::vector<form_field>& fields, const char* name,
                  bool required, std::string* value, std::vector<field_fault>* faults);

#endif  // CATALIX_WEB_QUERY_FIELDS_H_
