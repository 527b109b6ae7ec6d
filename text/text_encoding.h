#ifndef CATALIX_TEXT_TEXT_ENCODING_H_
#define CATALIX_TEXT_TEXT_ENCODING_H_

// The catalogue's texts are bytes in no declared encoding; the tables are
// UTF-8.  Well-formed UTF-8 passes unchanged; every byte that is not part of
// a well-formed sequence becomes U+FFFD, and so does every character that
// XML 1.0 forbids (the control characters other than tab, line feed and
// carriage return; U+FFFE and U+FFFF), so that both tables obey one rule.

#include <string>
#include <string_view>

namespace text_encoding {

// U+FFFD in UTF-8: what stands for a byte that cannot stay.
inline constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence that starts `bytes`, or 0
// when its first byte does not start one (or `bytes` is empty).
std::size_t utf8_sequence(std::string_view bytes);

// The length of the character that starts `bytes` when it is well-formed
// and one that XML allows, or 0 when its first byte is to be replaced.
std::size_t xml_character(std::string_view bytes);

// Where xml_character gives 0: how many bytes the one U+FFFD stands for,
// a whole character where it is well-formed UTF-8 that XML forbids
// (U+FFFE is one character, one replacement), else the first byte alone.
std::size_t replaced_length(std::string_view bytes);

// Appends `bytes` to `out` under the rule above.
void append_clean(std::string* out, std::string_view bytes);

}  // namespace text_encoding

#endif  // CATALIX_TEXT_TEXT_ENCODING_H_
