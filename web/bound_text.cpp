#include "web/bound_text.h"

#include <cmath>
#include <cstdlib>

namespace {

bool is_form_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// [+-] (digits [. [digits]] | . digits) [(e|E) [+-] digits]
bool is_decimal_number(const std::string& t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  for (; i < t.size() && is_digit(t[i]); ++i) ++digits;
  if (i < t.size() && t[i] == '.') {
    for (++i; i < t.size() && is_digit(t[i]); ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size() || !is_digit(t[i])) return false;
    while (i < t.size() && is_digit(t[i])) ++i;
  }
  return i == t.size();
}

}  // namespace

std::string without_form_space(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && is_form_space(text[begin])) ++begin;
  while (end > begin && is_form_space(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bound_fault read_bound_text(const std::string& text, double* value) {
  const std::string number = without_form_space(text);
  if (number.empty()) return bound_fault::empty;
  if (!is_decimal_number(number)) return bound_fault::not_a_number;
  char* stop = nullptr;
  const double x = std::strtod(number.c_str(), &stop);
  // The grammar above is a part of strtod's: it reads all of it.
  if (stop != number.c_str() + number.size()) return bound_fault::not_a_number;
  if (!std::isfinite(x)) return bound_fault::not_finite;
  *value = x;
  return bound_fault::none;
}
