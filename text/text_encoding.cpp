#include "text/text_encoding.h"

namespace text_encoding {

std::size_t xml_character(std::string_view s) {
  if (s.empty()) return 0;
  const unsigned char c = static_cast<unsigned char>(s[0]);
  if (c < 0x80) return (c >= 0x20 || c == '\t' || c == '\n' || c == '\r') ? 1 : 0;
  const std::size_t length = utf8_sequence(s);
  // U+FFFE and U+FFFF are not XML characters.
  if (length == 3 && c == 0xEF && static_cast<unsigned char>(s[1]) == 0xBF &&
      static_cast<unsigned char>(s[2]) >= 0xBE) {
    return 0;
  }
  return length;
}

std::size_t utf8_sequence(std::string_view bytes) {
  if (bytes.empty()) return 0;
  const unsigned char c = static_cast<unsigned char>(bytes[0]);
  if (c < 0x80) return 1;
  // The second byte's range depends on the first: no overlong forms, no
  // surrogates, nothing above U+10FFFF.
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  const unsigned char second = static_cast<unsigned char>(bytes[1]);
  if (second < low || second > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

std::size_t replaced_length(std::string_view bytes) {
  const std::size_t length = utf8_sequence(bytes);
  return length == 0 ? 1 : length;
}

void append_clean(std::string* out, std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t n = xml_character(bytes);
    if (n == 0) {
      out->append(kReplacement);
      bytes.remove_prefix(replaced_length(bytes));
    } else {
      out->append(bytes.data(), n);
      bytes.remove_prefix(n);
    }
  }
}

}  // namespace text_encoding
