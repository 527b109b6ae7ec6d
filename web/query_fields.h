#ifndef CATALIX_WEB_QUERY_FIELDS_H_
#define CATALIX_WEB_QUERY_FIELDS_H_

// The fifteen fields of the web form, by the names that links keep, checked
// and put into the query globals as if a form file held them; and the
// labels the form shows them under.

#include <string>
#include <vector>

#include "web/form_decoding.h"

struct field_fault {
  std::string field;  // the field's name
  std::string why;    // plain text, e.g. "is not a decimal number"
  std::string value;  // what was sent, as decoded; empty where none
};

// Sets the query globals from `fields`.  Returns what is wrong, in the order
// of the form, and nothing when the whole query was taken.  Every field is
// needed, once; fields of other names are ignored.  The ion name is taken
// without white space around it and with one blank after it, as a form file
// holds a name that should end there.
std::vector<field_fault> set_query_from_form(const std::vector<form_field>& fields);

// Puts `value`, without the white space around it and with one blank
// after it, into query_ion_name, as set_query_from_form does.  Returns
// null, or why the name cannot be taken ("is longer than 98 characters").
const char* take_ion_name(const std::string& value);

// The one value of field `name`: false, with a fault where the field is
// missing but `required`, given twice, or badly escaped.
bool single_value(const std::vector<form_field>& fields, const char* name,
                  bool required, std::string* value, std::vector<field_fault>* faults);

// The label of field `name` in the form ("Absorption redshift, lower
// bound"), for the sixteenth "format" too; an unknown name is its own label.
std::string field_label(const std::string& name);

// Whether the form can send `name` (taken without the white space around
// it): at most 98 characters and no control character.
bool ion_name_sendable(const std::string& name);

// The query in the globals as bytes that differ whenever the page would:
// each bound's double and the ion name's text.
std::string query_identity();

// The form's fields among `fields` as a query string for the form's own
// address (query.html?...), so that it opens with the values sent.  Values
// that could not be decoded, and values longer than any the form takes,
// are left out.
std::string form_values_query(const std::vector<form_field>& fields);

#endif  // CATALIX_WEB_QUERY_FIELDS_H_
