#ifndef CATALIX_CHECK_JSON_TEXT_H_
#define CATALIX_CHECK_JSON_TEXT_H_

// Catalogue bytes as JSON strings and as terminal text.  The catalogue is
// bytes in no declared encoding; both outputs must stay valid UTF-8.

#include <string>
#include <string_view>

// Appends `bytes` as a quoted JSON string: well-formed UTF-8 unchanged,
// control characters escaped, each other byte as U+FFFD.
void append_json_string(std::string* out, std::string_view bytes);

#endif  // CATALIX_CHECK_JSON_TEXT_H_
