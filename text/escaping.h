#ifndef CATALIX_TEXT_ESCAPING_H_
#define CATALIX_TEXT_ESCAPING_H_

// How a text is written into each format the programs write: one rule for
// each, named for its use.  Each appends to `out`, takes any bytes (NUL
// included) and fails on none.

#include <string>
#include <string_view>

namespace escaping {

// HTML element text in printable ASCII, for pages whose character set is
// the server's to declare: '&', '<', '>', '"' and '\'' as references, every
// other byte that is not printable ASCII as '?', so that no character set
// can turn a byte into markup.
void append_html_text(std::string* out, std::string_view text);

// A double-quoted HTML attribute value: the references of the text rule
// close it to markup and to its quote alike.
inline void append_html_attribute(std::string* out, std::string_view text) {
  append_html_text(out, text);
}

// XML element text and attribute values alike, in UTF-8: repaired as
// text_encoding::append_clean repairs; '&', '<', '>' and '"' as references,
// tab, LF and CR as character references, or a parser would make blanks of
// them.
void append_xml(std::string* out, std::string_view bytes);

// A quoted JSON string that is valid UTF-8: well-formed sequences as they
// are, '"' and '\\' after a backslash, LF, tab and CR as \n, \t and \r,
// other control characters and DEL as \u00xx, and each byte that is not
// part of a well-formed sequence as \ufffd.
void append_json_string(std::string* out, std::string_view bytes);

// Percent-encoding for a URI: letters, digits, "-._~" and the bytes of
// `kept` as they are, every other byte as %XX in capitals.
void append_percent_encoded(std::string* out, std::string_view bytes,
                            std::string_view kept = std::string_view());

// The results page's rule for the query's ion name, narrower than HTML's:
// only '<' and '>' as references; stored pages rely on the rest as written.
void append_page_ion_name(std::string* out, std::string_view name);

}  // namespace escaping

#endif  // CATALIX_TEXT_ESCAPING_H_
