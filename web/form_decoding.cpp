#include "web/form_decoding.h"

#include "text/escaping.h"

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool decode_form_text(std::string_view text, std::string* out) {
  out->clear();
  out->reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out->push_back(' ');
    } else if (c != '%') {
      out->push_back(c);
    } else {
      const int high = i + 1 < text.size() ? hex_value(text[i + 1]) : -1;
      const int low = i + 2 < text.size() ? hex_value(text[i + 2]) : -1;
      if (high < 0 || low < 0) return false;
      out->push_back(static_cast<char>(high * 16 + low));
      i += 2;
    }
  }
  return true;
}

std::string encode_form_text(std::string_view text) {
  std::string out;
  escaping::append_percent_encoded(&out, text);
  return out;
}

std::vector<form_field> decode_form(std::string_view text) {
  std::vector<form_field> fields;
  while (!text.empty()) {
    const std::size_t end = text.find('&');
    const std::string_view piece = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (piece.empty()) continue;
    const std::size_t equals = piece.find('=');
    form_field field;
    if (!decode_form_text(piece.substr(0, equals), &field.name)) continue;
    field.value_decoded =
        equals == std::string_view::npos ||
        decode_form_text(piece.substr(equals + 1), &field.value);
    fields.push_back(std::move(field));
  }
  return fields;
}
