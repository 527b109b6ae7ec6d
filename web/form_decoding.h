#ifndef CATALIX_WEB_FORM_DECODING_H_
#define CATALIX_WEB_FORM_DECODING_H_

// The text of a submitted form (a GET's query string or a POST's body,
// application/x-www-form-urlencoded): fields apart at '&', name and value
// apart at the first '=', '+' for a blank and %XX for any byte.

#include <string>
#include <string_view>
#include <vector>

struct form_field {
  std::string name;
  std::string value;
  bool value_decoded;  // false: the value holds a '%' not followed by two hex digits
};

// Every field in the order given.  Empty pieces ("a=1&&b=2") are no field;
// a piece without '=' is a name with an empty value; a piece whose name
// cannot be decoded names no field the program knows and is left out.
std::vector<form_field> decode_form(std::string_view text);

// Decodes one name or value into `out`; false on a bad escape.
bool decode_form_text(std::string_view text, std::string* out);

// The other way: every byte but letters, digits and "-._~" as %XX, so that
// the result can stand in a link as it is.
std::string encode_form_text(std::string_view text);

#endif  // CATALIX_WEB_FORM_DECODING_H_
