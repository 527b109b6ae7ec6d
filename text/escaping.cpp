#include "text/escaping.h"

#include "text/text_encoding.h"

namespace escaping {

namespace {

// The one table of hexadecimal digits; a digit's lower case is its capital
// with the 0x20 bit set, which leaves '0' to '9' as they are.
const char kHexDigits[] = "0123456789ABCDEF";

void append_hex_byte(std::string* out, unsigned char c, bool lower_case) {
  const char case_bit = lower_case ? 0x20 : 0;
  *out += static_cast<char>(kHexDigits[c >> 4] | case_bit);
  *out += static_cast<char>(kHexDigits[c & 15] | case_bit);
}

bool is_unreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '.' || c == '_' || c == '~';
}

const char* xml_reference(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\t': return "&#9;";
    case '\n': return "&#10;";
    case '\r': return "&#13;";
    default: return nullptr;
  }
}

// The escape of a one-byte JSON character, or null where it stands as is.
const char* json_short_escape(unsigned char c) {
  switch (c) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
    default: return nullptr;
  }
}

}  // namespace

void append_html_text(std::string* out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': *out += "&amp;"; break;
      case '<': *out += "&lt;"; break;
      case '>': *out += "&gt;"; break;
      case '"': *out += "&quot;"; break;
      case '\'': *out += "&#39;"; break;
      default: *out += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
  }
}

void append_xml(std::string* out, std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t n = text_encoding::xml_character(bytes);
    if (n == 0) {
      out->append(text_encoding::kReplacement);
      bytes.remove_prefix(text_encoding::replaced_length(bytes));
      continue;
    }
    const char* reference = n == 1 ? xml_reference(bytes[0]) : nullptr;
    if (reference != nullptr) {
      *out += reference;
    } else {
      out->append(bytes.data(), n);
    }
    bytes.remove_prefix(n);
  }
}

void append_json_string(std::string* out, std::string_view bytes) {
  *out += '"';
  while (!bytes.empty()) {
    const unsigned char c = static_cast<unsigned char>(bytes[0]);
    const std::size_t n = text_encoding::utf8_sequence(bytes);
    if (n == 0) {
      *out += "\\ufffd";
      bytes.remove_prefix(1);
      continue;
    }
    if (const char* escape = json_short_escape(c)) {
      *out += escape;
    } else if (c < 0x20 || c == 0x7F) {
      *out += "\\u00";
      append_hex_byte(out, c, true);
    } else {
      out->append(bytes.data(), n);
    }
    bytes.remove_prefix(n);
  }
  *out += '"';
}

void append_percent_encoded(std::string* out, std::string_view bytes, std::string_view kept) {
  for (const char c : bytes) {
    if (is_unreserved(c) || kept.find(c) != std::string_view::npos) {
      *out += c;
    } else {
      *out += '%';
      append_hex_byte(out, static_cast<unsigned char>(c), false);
    }
  }
}

void append_page_ion_name(std::string* out, std::string_view name) {
  for (const char c : name) {
    if (c == '<') {
      *out += "&lt;";
    } else if (c == '>') {
      *out += "&gt;";
    } else {
      *out += c;
    }
  }
}

}  // namespace escaping
