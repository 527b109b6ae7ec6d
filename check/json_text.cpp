#include "check/json_text.h"

#include "text/text_encoding.h"

using text_encoding::utf8_sequence;

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
