#include "check/line_checks.h"

#include <string>

#include "catalogue/source.h"

using input::piece;

namespace {

// The numbers of a record after its name.
const number_of<record_at> kRecordNumbers[] = {
    {piece::rest_wv, &record_at::rest_wv, "laboratory wavelength"},
    {piece::obs_wv, &record_at::obs_wv, "observed wavelength"},
    {piece::obs_wv_err, &record_at::obs_wv_err, "error of the observed wavelength"},
    {piece::eq_width, &record_at::eq_width, "width"},
    {piece::eq_width_err, &record_at::eq_width_err, "error of the width"},
};

}  // namespace

record_at& line_checks::start_record(long long start) {
  r_.systems.back().records.emplace_back();
  r_.record_broken = false;
  record_at& record = *r_.record();
  record.start = start;
  return record;
}

void line_checks::list_gap(long long begin, long long end) {
  const long long last = r_.bytes.last_line_end_in(begin, end);
  list_line_blanks_ = last >= 0 && last + 1 < end && r_.bytes.at(last + 1) == ' ' ? last + 1 : -1;
}

void line_checks::blank_redshift(long long begin, long long end) {
  const held_bytes& bytes = r_.bytes;
  start_record(begin).blank_redshift = true;
  list_line_blanks_ = -1;
  if (bytes.line_end_in(begin, end) >= 0) {
    r_.report(check_code::CX107, begin, begin, "a line of blanks inside a line list: its line end is "
              "read as part of a line record", r_.record_field("redshift"));
    return;
  }
  bool blanks = true;
  for (long long o = begin + 1; o < begin + 8; ++o) blanks = blanks && bytes.at(o) == ' ';
  if (!blanks || bytes.at(begin + 8) != '$') {
    long long dollar = begin;
    while (dollar < begin + 20 && bytes.at(dollar) == ' ') ++dollar;
    const bool fixable = bytes.at(dollar) == '$';
    r_.report(check_code::CX106, begin, fixable ? dollar + 1 : end, "the blank redshift column is not "
              "eight blanks and a '$': columns 2 to 9 are skipped unread, and the name is read from "
              "column 10 (\"" + bytes.text(end, end + 9) + "\")", r_.record_field("redshift"), -1,
              fixable ? "        $" : nullptr);
  }
}

void line_checks::z_abs(const number_at& n) {
  record_at& record = start_record(n.begin);
  record.z_abs = n;
  const long long blanks = list_line_blanks_;
  list_line_blanks_ = -1;
  if (blanks >= 0 && !n.ok) {
    // The white space before a line list takes the blanks of its first
    // line, and the '$' after them fails as a number.
    record.blank_redshift = true;
    r_.systems.back().carry_said = true;
    r_.report(check_code::CX108, blanks, n.begin, "a blank redshift with nothing to carry over: the "
              "first line of a list leaves it blank", r_.record_field("redshift"));
    return;
  }
  blank_or_tab(n);
}

// What stands where the record's redshift is read from.
void line_checks::blank_or_tab(const number_at& n) {
  const held_bytes& bytes = r_.bytes;
  const int c = bytes.at(n.begin);
  const bool nbsp = c == 0xA0 || (c == 0xC2 && bytes.at(n.begin + 1) == 0xA0);
  if (c == '\n' || c == '\r') {
    r_.report(check_code::CX107, n.begin, n.begin, "a blank line inside a line list: its line end is "
              "read as the start of a line record", r_.record_field("redshift"));
  } else if ((c == '\t' || nbsp) && !n.ok) {
    r_.report(check_code::CX107, n.begin, n.begin + (c == 0xC2 ? 2 : 1),
              std::string(nbsp ? "a no-break space" : "a tab") + " in column 1 is not the blank of a "
              "blank redshift column: the redshift is read as a number, fails, and -1 is carried "
              "to the lines below", r_.record_field("redshift"), -1, " ");
    r_.systems.back().carry_said = true;
  } else if (!n.ok) {
    r_.report(check_code::CX105, n.value, n.value + 1, "the redshift is not a number",
              r_.record_field("redshift"));
  } else if (bytes.at(n.end) >= 0 && !input::is_space(bytes.at(n.end)) && bytes.at(n.end) != '$') {
    r_.report(check_code::CX105, n.end, n.end + 1, std::string("the redshift stops at '") +
              static_cast<char>(bytes.at(n.end)) + "' before its field ends", r_.record_field("redshift"));
  }
}

void line_checks::marker_gap(long long begin, long long end) {
  const long long last_end = r_.bytes.last_line_end_in(begin, end);
  const int next = r_.bytes.at(end);
  if (next < 0 || next == '%' || next == '_') return;
  if (last_end < 0) {
    r_.report(check_code::CX116, end, end, "text after a marker line's number (\"" +
              r_.bytes.text(end, end + 30) + "\") is read as the next line record", r_.record_field("marker"));
  } else if (last_end + 1 < end) {
    r_.report(check_code::CX109, last_end + 1, end, "the line after a marker line starts with blanks, "
              "which the marker line's white space takes: its blank redshift column is not seen as one",
              r_.record_field("marker"));
  }
}

void line_checks::ion_name(long long begin, long long end) {
  record_at* record = r_.record();
  if (record != nullptr) record->name_begin = begin, record->name_end = end - 1;
  const int t = r_.bytes.at(end - 1);
  name_terminator_ = t;
  if (t == '{' || t == ':') return;
  if (record != nullptr) record->name_end = end;
  const bool line_end = r_.bytes.line_end_in(begin, end) >= 0;
  r_.report(check_code::CX209, line_end ? begin : begin + 9, end, line_end
            ? "no '{' or ':' after the ion name on its line: the name takes the line end"
            : "an ion name of more than nine characters is cut to \"" + r_.bytes.text(begin, begin + 9) +
              "\", and the tenth is dropped", r_.record_field("name"));
}

void line_checks::brace(long long begin) {
  const record_at* record = r_.record();
  const int c = r_.bytes.at(begin);
  if (record == nullptr || !record->rest_wv.ok || c < 0) return;
  const bool fits = name_terminator_ == '{' ? c == '}' : input::is_space(c);
  if (!fits && c != '\n') {
    r_.report(check_code::CX105, begin, begin + 1, std::string("the laboratory wavelength stops at '") +
              static_cast<char>(c) + "' before its closing brace", r_.record_field("laboratory wavelength"));
  }
}

void line_checks::dla_gap(long long begin, long long end) {
  for (long long o = begin; o < end; ++o) {
    const int c = r_.bytes.at(o);
    if (r_.bytes.digit_at(o) || c == '.' || c == '\n') {
      r_.report(check_code::CX105, o, o + 1, "the two bytes after a damped Lyman-alpha system's name are "
                "skipped unread: \"" + r_.bytes.text(begin, end) + "\" holds part of the number",
                r_.record_field("column density"));
      return;
    }
  }
}

void line_checks::number(piece what, const number_at& n) {
  record_at* record = r_.record();
  for (const number_of<record_at>& k : kRecordNumbers) {
    if (k.what != what) continue;
    if (record != nullptr) record->*k.place = n;
    // The byte after the laboratory wavelength is the brace's, looked at on its own.
    return check_number(k.name, n, what == piece::rest_wv);
  }
}

void line_checks::check_number(const char* name, const number_at& n, bool brace_follows) {
  if (r_.record_broken) return;
  const long long line_end = r_.bytes.line_end_in(n.begin, n.value);
  if (line_end >= 0) {
    r_.report(check_code::CX115, line_end, line_end, std::string("the line ends before its ") + name +
              "; it is read from the next line, which is lost as a line of its own", r_.record_field(name));
    return;
  }
  const int next = r_.bytes.at(n.end);
  if (!n.ok) {
    if (next >= 0) {
      r_.report(check_code::CX105, n.value, n.value + 1, std::string("the ") + name + " is not a number",
                r_.record_field(name));
    }
    return;
  }
  if (n.end >= 0 && !brace_follows && next >= 0 && !input::is_space(next)) {
    r_.report(check_code::CX105, n.end, n.end + 1, std::string("the ") + name + " stops at '" +
              static_cast<char>(next) + "' before its field ends", r_.record_field(name));
  }
}
