#include "check/header_checks.h"

#include <string>

using input::piece;

namespace {

// The numbers of an interval after its first.
const number_of<interval_at> kIntervalNumbers[] = {
    {piece::wv_max, &interval_at::wv_max, "upper wavelength"},
    {piece::resolution, &interval_at::resolution, "resolution"},
    {piece::s_to_n, &interval_at::s_to_n, "S/N"},
};

}  // namespace

void header_checks::open(long long begin) {
  r_.systems.add();
  first_wv_min_ = true;
  const int c = r_.bytes.at(begin);
  if (c == '_' || c == '#') {
    r_.report(check_code::CX111, begin, begin + 1, "a spectrum without a system: the '" +
              std::string(1, static_cast<char>(c)) + "' is read as the opening of a header block",
              "spectrum");
    r_.spectrum_broken = true;
  }
}

void header_checks::range_separator(long long begin, long long end) {
  bool eaten = false;
  for (long long o = begin; o < end; ++o) {
    const int c = r_.bytes.at(o);
    eaten = eaten || r_.bytes.digit_at(o) || c == '.' || c == '\n';
  }
  const int sign = r_.bytes.at(end - 1);
  eaten = eaten || ((sign == '-' || sign == '+') && r_.bytes.digit_at(end));
  if (eaten) {
    r_.report(check_code::CX110, begin, end, "the separator of the wavelength range is not three "
              "characters: \"" + r_.bytes.text(begin, end) + "\" is skipped unread", "interval", -1, " - ");
  }
}

void header_checks::s_to_n_label(long long begin, long long end, int result) {
  const held_bytes& bytes = r_.bytes;
  const long long first = bytes.past_space(begin, end);
  if (result == 1 && bytes.at(first) != 'W' && bytes.at(first) != 'w') {
    long long w = first;
    while (w < end && bytes.at(w) != 'W' && bytes.at(w) != 'w') ++w;
    r_.report(check_code::CX210, w, w + 1, "the label \"" + bytes.text(first, end - 1) + "\" holds a '" +
              static_cast<char>(bytes.at(w)) + "': the value after it is read as a minimum width "
              "W_min, not S/N", "interval: S/N label");
  }
  if (bytes.line_end_in(begin, end - 1) >= 0) {
    r_.report(check_code::CX102, begin, begin, "no '=' before the S/N on its line; found at {also}",
              "interval: S/N label", end);
  }
}

void header_checks::number(piece what, const number_at& n) {
  if (what == piece::wv_min) return wv_min(n);
  if (what == piece::z_em) {
    r_.systems.back().z_em = n;
    return check_number("emission redshift", n);
  }
  interval_at* interval = r_.interval();
  for (const number_of<interval_at>& k : kIntervalNumbers) {
    if (k.what != what) continue;
    if (interval != nullptr) interval->*k.place = n;
    return check_number(k.name, n);
  }
}

void header_checks::wv_min(const number_at& n) {
  r_.systems.back().intervals.emplace_back();
  r_.systems.back().intervals.back().wv_min = n;
  if (first_wv_min_ && !n.ok) {
    r_.report(check_code::CX111, n.value, n.value + 1, "a header block without an interval: its first "
              "line does not begin with a wavelength", "header");
  } else if (!first_wv_min_ && r_.bytes.line_end_in(n.begin, n.value) >= 0) {
    r_.report(check_code::CX115, n.begin, n.begin, "a blank line in a header block: the interval is "
              "read from the next line", "header");
  } else {
    check_number("lower wavelength", n);
  }
  first_wv_min_ = false;
}

// A header's number is read as C reads it; a comma or a point after it, or
// a letter O after a digit, is where it stopped short of its field.
void header_checks::check_number(const char* name, const number_at& n) {
  if (!n.ok) {
    if (r_.bytes.at(n.value) >= 0) {
      r_.report(check_code::CX105, n.value, n.value + 1, std::string("the ") + name + " is not a number",
                r_.interval_field(name));
    }
    return;
  }
  const int next = r_.bytes.at(n.end);
  if (next == ',' || next == '.' || ((next == 'O' || next == 'o') && r_.bytes.digit_at(n.end - 1))) {
    r_.report(check_code::CX105, n.end, n.end + 1, std::string("the ") + name + " stops at '" +
              static_cast<char>(next) + "' before its field ends", r_.interval_field(name));
  }
}
