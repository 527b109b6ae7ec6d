#include "check/json_text.h"

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

void append_json_string(std::string* out, std::string_view bytes) {
  static const char kHex[] = "0123456789abcdef";
  *out += '"';
  while (!bytes.empty()) {
    const unsigned char c = static_cast<unsigned char>(bytes[0]);
    const std::size_t n = utf8_sequence(bytes);
    if (n == 0) {
      *out += "\\ufffd";
      bytes.remove_prefix(1);
      continue;
    }
    if (c == '"' || c == '\\') {
      *out += '\\';
      *out += static_cast<char>(c);
    } else if (c == '\n') {
      *out += "\\n";
    } else if (c == '\t') {
      *out += "\\t";
    } else if (c == '\r') {
      *out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      *out += "\\u00";
      *out += kHex[c >> 4];
      *out += kHex[c & 15];
    } else {
      out->append(bytes.data(), n);
    }
    bytes.remove_prefix(n);
  }
  *out += '"';
}
