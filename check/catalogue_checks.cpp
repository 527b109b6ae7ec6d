// The detector.  The catalogue is read by the program's own readers, and
// this listener hears every piece they take with its byte offsets: a search
// for a marker, a number, a text, a skip.  What the bytes of a piece show
// (a line end a search ran past, a number that stopped short) is judged as
// the piece is heard; what the values show (a width that cannot be meant, a
// wavelength that disagrees with its redshift) once the spectrum is read,
// from the objects the readers made, which are paired with their pieces in
// reading order.

#include "check/catalogue_checks.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "catalogue/symbols.h"
#include "check/transitions.h"

using input::piece;

namespace {

const int kMaxReads = 1001;

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Where a number was read: from `begin`, its first byte past the white
// space at `value`, up to `end`.
struct number_at {
  long long begin = -1, value = -1, end = -1;
  bool ok = false;
};

struct interval_at {
  number_at wv_min, wv_max, resolution, s_to_n;
};

struct record_at {
  long long start = 0;
  bool blank_redshift = false;
  number_at z_abs, rest_wv, obs_wv, obs_wv_err, eq_width, eq_width_err;
  long long name_begin = -1, name_end = -1;
};

struct system_at {
  std::vector<interval_at> intervals;
  number_at z_em;
  std::vector<record_at> records;
  bool carry_said = false;  // CX108, said once in a line list
};

// The systems of the spectrum being read.  Cleared per spectrum but kept,
// so that the next spectrum reuses their memory.
class system_places {
 public:
  void clear() { used_ = 0; }
  system_at& add() {
    if (used_ == all_.size()) all_.emplace_back();
    system_at& s = all_[used_++];
    s.intervals.clear();
    s.records.clear();
    s.z_em = number_at();
    s.carry_said = false;
    return s;
  }
  system_at& back() { return all_[used_ - 1]; }
  const system_at& back() const { return all_[used_ - 1]; }
  const system_at& operator[](std::size_t i) const { return all_[i]; }
  std::size_t size() const { return used_; }
  bool empty() const { return used_ == 0; }

 private:
  std::vector<system_at> all_;
  std::size_t used_ = 0;
};

class detector : public input::listener {
 public:
  detector(reporter& out, const tolerances& limits) : out_(out), limits_(limits) {}

  void filled(long long base, const unsigned char* data, unsigned long size) override;
  void read(piece what, long long begin, long long end, int result) override;

  // The checks of the values, once the spectrum in memory has been read.
  void check_values(const QSO_spectrum& spectrum);
  // The checks of the file as a whole, at its end.
  void finish();

 private:
  // The bytes lately read; -1 for one that is no longer (or not yet) held.
  int byte(long long offset) const {
    const long long i = offset - bytes_base_;
    return i >= 0 && i < static_cast<long long>(bytes_.size()) ? static_cast<unsigned char>(bytes_[i]) : -1;
  }
  long long line_end_in(long long from, long long to) const;
  int line_ends_in(long long from, long long to) const;
  long long past_space(long long from, long long to) const;
  std::string text(long long from, long long to) const;

  void report(check_code code, long long begin, long long end, const std::string& message,
              const std::string& field, long long also = -1, const char* fix = nullptr);
  record_at* record() { return systems_.empty() || systems_.back().records.empty() ? nullptr : &systems_.back().records.back(); }
  interval_at* interval() {
    return systems_.empty() || systems_.back().intervals.empty() ? nullptr : &systems_.back().intervals.back();
  }
  std::string record_field(const char* what) const;

  void on_search(piece what, long long begin, long long end, int reads);
  void on_number(piece what, const number_at& n);
  void on_text(piece what, long long begin, long long end, int kept);
  void on_record_number(const char* name, const number_at& n);
  void on_header_number(const char* name, const number_at& n);

  reporter& out_;
  const tolerances& limits_;
  std::string bytes_;
  long long bytes_base_ = 0;
  system_places systems_;
  long long name_at_ = -1;
  bool first_wv_min_ = false;   // the next wv_min opens a header block
  int name_terminator_ = 0;     // of the current record's ion name
  std::unordered_map<std::string, long long> names_;  // spectrum names, where first seen
  // Ion names and rest wavelengths looked up lately: a catalogue holds few.
  std::unordered_map<std::string, transition_match> transitions_;
  transition_match transition_of(const char* ion, double rest);
  bool ended_inside_ = false;
  // After a finding that makes the rest of a record (or spectrum) read from
  // the wrong place, what follows there is its consequence, not said again.
  bool record_broken_ = false;
  bool spectrum_broken_ = false;
  long long list_line_blanks_ = -1;  // where the first line of a list begins with blanks
  // The file as a whole.
  long long size_ = 0;
  unsigned char head_[3] = {0, 0, 0};
  int last_byte_ = -1;
  bool any_line_feed_ = false;
  long long first_crlf_ = -1, first_lone_cr_ = -1, pending_cr_ = -1;
  // A CR at `at`, followed by `next`.
  void crlf_or_lone(long long at, int next) {
    if (next == '\n') {
      if (first_crlf_ < 0) {
        first_crlf_ = at;
        report(check_code::CX401, at, at + 1, "CR LF line ends: the CR is read as part of texts that end at "
               "the line end (remarks, captions, notes)", "file");
      }
    } else if (first_lone_cr_ < 0) {
      first_lone_cr_ = at;
    }
  }
};

// The bytes of the current spectrum are held, as far back as a few MiB.
const std::size_t kHeld = 1 << 20;

void detector::filled(long long base, const unsigned char* data, unsigned long size) {
  if (bytes_.size() > kHeld) {
    bytes_.erase(0, bytes_.size() - kHeld / 2);
    bytes_base_ = base - static_cast<long long>(bytes_.size());
  }
  if (bytes_.empty()) bytes_base_ = base;
  bytes_.append(reinterpret_cast<const char*>(data), size);
  for (unsigned long i = 0; i < 3 && base + static_cast<long long>(i) < 3 && i < size; ++i) {
    head_[base + static_cast<long long>(i)] = data[i];
    if (base + static_cast<long long>(i) == 2 && head_[0] == 0xEF && head_[1] == 0xBB && head_[2] == 0xBF) {
      report(check_code::CX113, 0, 3, "a byte-order mark at the start of the file: its first byte is read as "
             "the first spectrum's opening character and the rest as part of its name", "file", -1, "");
    }
  }
  if (!any_line_feed_ && std::memchr(data, '\n', size) != nullptr) any_line_feed_ = true;
  // The line ends: only the CRs need a look, and only until both kinds are seen.
  const unsigned char* end = data + size;
  for (const unsigned char* p = data; (first_crlf_ < 0 || first_lone_cr_ < 0) && p != end; ++p) {
    p = static_cast<const unsigned char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
    if (p == nullptr) break;
    const long long at = base + (p - data);
    if (p + 1 == end) {
      pending_cr_ = at;  // its next byte comes with the next block
      break;
    }
    crlf_or_lone(at, p[1]);
  }
  if (pending_cr_ >= 0 && pending_cr_ < base && size > 0) {
    crlf_or_lone(pending_cr_, data[0]);
    pending_cr_ = -1;
  }
  size_ = base + static_cast<long long>(size);
  last_byte_ = size > 0 ? data[size - 1] : last_byte_;
}

long long detector::line_end_in(long long from, long long to) const {
  for (long long o = from; o < to; ++o) {
    if (byte(o) == '\n') return o;
  }
  return -1;
}

int detector::line_ends_in(long long from, long long to) const {
  int n = 0;
  for (long long o = from; o < to; ++o) n += byte(o) == '\n' ? 1 : 0;
  return n;
}

long long detector::past_space(long long from, long long to) const {
  while (from < to && input::is_space(byte(from))) ++from;
  return from;
}

std::string detector::text(long long from, long long to) const {
  std::string t;
  for (long long o = from; o < to && t.size() < 40; ++o) {
    const int c = byte(o);
    if (c < 0 || c == '\n' || c == '\r') break;
    t += static_cast<char>(c);
  }
  return t;
}

void detector::report(check_code code, long long begin, long long end, const std::string& message,
                      const std::string& field, long long also, const char* fix) {
  if (spectrum_broken_) return;
  if (entry_of(code).breaks_record) record_broken_ = true;
  finding f;
  f.code = code;
  f.begin = begin;
  f.end = end > begin ? end : begin;
  f.also = also;
  f.message = message;
  if (field != "file") f.spectrum = First_QSO_spectrum.qso_name.text;
  f.system = static_cast<int>(systems_.size());
  f.field = field;
  if (fix != nullptr) f.fix = fix;
  out_.add(std::move(f));
}

std::string detector::record_field(const char* what) const {
  const std::string name = systems_.empty() || systems_.back().records.empty()
                               ? std::string()
                               : text(systems_.back().records.back().name_begin,
                                      systems_.back().records.back().name_end);
  return "line " + std::to_string(systems_.empty() ? 0 : systems_.back().records.size()) + " " +
         name + ": " + what;
}

const char* marker_name(piece what) {
  switch (what) {
    case piece::dollar_after_z: return "'$' after the redshift";
    case piece::equals_before_r: return "'=' before the resolution";
    case piece::dollar_after_interval: return "'$' after the interval";
    case piece::equals_before_z_em: return "'=' before the emission redshift";
    case piece::dollar_after_z_em: return "'$' after the emission redshift";
    default: return "marker";
  }
}

void detector::on_search(piece what, long long begin, long long end, int reads) {
  const char stop = what == piece::equals_before_r || what == piece::equals_before_z_em ? '=' : '$';
  auto field = [&] {
    return what == piece::dollar_after_z ? record_field(marker_name(what)) : std::string(marker_name(what));
  };
  if (reads >= kMaxReads) {
    // The counterpart of the program's own message, one for each.
    report(check_code::CX104, begin, begin, std::string("no ") + marker_name(what) +
           " within 1000 characters (\"file read message: stop_signal '" + stop +
           "' lost\"); reading resumed at {also}", field(), end);
    return;
  }
  const long long found = end - 1;
  if (line_end_in(begin, found) < 0) return;
  const int lost = line_ends_in(begin, found);
  const std::string lines = lost == 1 ? "this line is lost"
                                      : "this line and the " + std::to_string(lost - 1) +
                                            " after it are lost";
  if (what == piece::dollar_after_z) {
    report(check_code::CX101, begin, begin, "no '$' after the redshift; reading resumed at {also}, " + lines,
           field(), end);
  } else {
    report(check_code::CX102, begin, begin, std::string("no ") + marker_name(what) +
           " on its line; reading resumed at {also}, " + lines, field(), end);
  }
}

void detector::on_record_number(const char* name, const number_at& n) {
  if (record_broken_) return;
  const long long line_end = line_end_in(n.begin, n.value);
  if (line_end >= 0) {
    report(check_code::CX115, line_end, line_end, std::string("the line ends before its ") + name +
           "; it is read from the next line, which is lost as a line of its own",
           record_field(name));
    return;
  }
  const int next = byte(n.end);
  if (!n.ok) {
    if (next >= 0) {
      report(check_code::CX105, n.value, n.value + 1, std::string("the ") + name + " is not a number",
             record_field(name));
    }
    return;
  }
  // The brace after the laboratory wavelength is looked at on its own.
  if (n.end >= 0 && name[0] != 'l' && next >= 0 && !input::is_space(next)) {
    report(check_code::CX105, n.end, n.end + 1, std::string("the ") + name + " stops at '" +
           static_cast<char>(next) + "' before its field ends", record_field(name));
  }
}

void detector::on_header_number(const char* name, const number_at& n) {
  auto field = [&] {
    return "interval " + std::to_string(systems_.empty() ? 0 : systems_.back().intervals.size()) +
           ": " + name;
  };
  if (!n.ok) {
    if (byte(n.value) >= 0) {
      report(check_code::CX105, n.value, n.value + 1, std::string("the ") + name + " is not a number", field());
    }
    return;
  }
  const int next = byte(n.end);
  if (next == ',' || next == '.' || ((next == 'O' || next == 'o') && is_digit(byte(n.end - 1)))) {
    report(check_code::CX105, n.end, n.end + 1, std::string("the ") + name + " stops at '" +
           static_cast<char>(next) + "' before its field ends", field());
  }
}

void detector::on_number(piece what, const number_at& n) {
  record_at* r = record();
  interval_at* e = interval();
  switch (what) {
    case piece::z_abs: {
      systems_.back().records.emplace_back();
      record_broken_ = false;
      r = record();
      r->start = n.begin;
      r->z_abs = n;
      const long long blanks = list_line_blanks_;
      list_line_blanks_ = -1;
      if (blanks >= 0 && !n.ok) {
        // The white space before a line list takes the blanks of its first
        // line, and the '$' after them fails as a number.
        r->blank_redshift = true;
        systems_.back().carry_said = true;
        report(check_code::CX108, blanks, n.begin, "a blank redshift with nothing to carry over: the first "
               "line of a list leaves it blank", record_field("redshift"));
        return;
      }
      const int c = byte(n.begin);
      const bool nbsp = c == 0xA0 || (c == 0xC2 && byte(n.begin + 1) == 0xA0);
      if (c == '\n' || c == '\r') {
        report(check_code::CX107, n.begin, n.begin, "a blank line inside a line list: its line end is read as "
               "the start of a line record", record_field("redshift"));
      } else if ((c == '\t' || nbsp) && !n.ok) {
        report(check_code::CX107, n.begin, n.begin + (c == 0xC2 ? 2 : 1),
               std::string(nbsp ? "a no-break space" : "a tab") + " in column 1 is not the blank of a "
               "blank redshift column: the redshift is read as a number, fails, and -1 is carried "
               "to the lines below", record_field("redshift"), -1, " ");
        systems_.back().carry_said = true;
      } else if (!n.ok) {
        report(check_code::CX105, n.value, n.value + 1, "the redshift is not a number", record_field("redshift"));
      } else if (byte(n.end) >= 0 && !input::is_space(byte(n.end)) && byte(n.end) != '$') {
        report(check_code::CX105, n.end, n.end + 1, std::string("the redshift stops at '") +
               static_cast<char>(byte(n.end)) + "' before its field ends", record_field("redshift"));
      }
      return;
    }
    case piece::rest_wv: if (r) r->rest_wv = n; return on_record_number("laboratory wavelength", n);
    case piece::obs_wv: if (r) r->obs_wv = n; return on_record_number("observed wavelength", n);
    case piece::obs_wv_err: if (r) r->obs_wv_err = n; return on_record_number("error of the observed wavelength", n);
    case piece::eq_width: if (r) r->eq_width = n; return on_record_number("width", n);
    case piece::eq_width_err: if (r) r->eq_width_err = n; return on_record_number("error of the width", n);
    case piece::wv_min: {
      systems_.back().intervals.emplace_back();
      systems_.back().intervals.back().wv_min = n;
      if (first_wv_min_ && !n.ok) {
        report(check_code::CX111, n.value, n.value + 1, "a header block without an interval: its first line "
               "does not begin with a wavelength", "header");
      } else if (!first_wv_min_ && line_end_in(n.begin, n.value) >= 0) {
        report(check_code::CX115, n.begin, n.begin, "a blank line in a header block: the interval is read "
               "from the next line", "header");
      } else {
        on_header_number("lower wavelength", n);
      }
      first_wv_min_ = false;
      return;
    }
    case piece::wv_max: if (e) e->wv_max = n; return on_header_number("upper wavelength", n);
    case piece::resolution: if (e) e->resolution = n; return on_header_number("resolution", n);
    case piece::s_to_n: if (e) e->s_to_n = n; return on_header_number("S/N", n);
    case piece::z_em: systems_.back().z_em = n; return on_header_number("emission redshift", n);
    default: return;
  }
}

void detector::on_text(piece what, long long begin, long long end, int kept) {
  int terminator = '\n';
  if (what == piece::qso_name) terminator = '$';
  long long written = end - begin;
  const int last = byte(end - 1);
  if (last == terminator || (what == piece::qso_label && last == ' ')) --written;
  if (kept == 99 && written > 99) {
    const bool inside = (byte(begin + 99) & 0xC0) == 0x80;
    report(check_code::CX211, begin + 99, begin + written, std::string("a text of ") + std::to_string(written) +
           " characters is cut at 99" + (inside ? ", inside a UTF-8 character" : ""), "text");
  }
  if (what == piece::qso_name && line_end_in(begin, end) >= 0) {
    report(check_code::CX103, begin, begin, "no '$' after the quasar name on its line: the name runs on "
           "to {also}", "name", end);
  }
}

void detector::read(piece what, long long begin, long long end, int result) {
  switch (what) {
    case piece::spectrum_open:
      systems_.clear();
      spectrum_broken_ = false;
      return;
    case piece::list_gap: {
      long long last = -1;
      for (long long o = begin; o < end; ++o) {
        if (byte(o) == '\n') last = o;
      }
      list_line_blanks_ = last >= 0 && last + 1 < end && byte(last + 1) == ' ' ? last + 1 : -1;
      return;
    }
    case piece::qso_name:
      name_at_ = begin;
      return on_text(what, begin, end, result);
    case piece::qso_label: case piece::caption: case piece::note: case piece::note_only:
    case piece::remark:
      return on_text(what, begin, end, result);
    case piece::header_open:
      systems_.add();
      first_wv_min_ = true;
      if (byte(begin) == '_' || byte(begin) == '#') {
        report(check_code::CX111, begin, begin + 1, "a spectrum without a system: the '" +
               std::string(1, static_cast<char>(byte(begin))) + "' is read as the opening of a "
               "header block", "spectrum");
        spectrum_broken_ = true;
      }
      return;
    case piece::range_separator: {
      bool eaten = false;
      for (long long o = begin; o < end; ++o) {
        const int c = byte(o);
        eaten = eaten || is_digit(c) || c == '.' || c == '\n';
      }
      const int sign = byte(end - 1);
      eaten = eaten || ((sign == '-' || sign == '+') && is_digit(byte(end)));
      if (eaten) {
        report(check_code::CX110, begin, end, "the separator of the wavelength range is not three "
               "characters: \"" + text(begin, end) + "\" is skipped unread", "interval", -1, " - ");
      }
      return;
    }
    case piece::s_to_n_label: {
      const long long first = past_space(begin, end);
      if (result == 1 && byte(first) != 'W' && byte(first) != 'w') {
        long long w = first;
        while (w < end && byte(w) != 'W' && byte(w) != 'w') ++w;
        report(check_code::CX210, w, w + 1, "the label \"" + text(first, end - 1) + "\" holds a '" +
               static_cast<char>(byte(w)) + "': the value after it is read as a minimum width "
               "W_min, not S/N", "interval: S/N label");
      }
      if (line_end_in(begin, end - 1) >= 0) {
        report(check_code::CX102, begin, begin, "no '=' before the S/N on its line; found at {also}",
               "interval: S/N label", end);
      }
      return;
    }
    case piece::dollar_after_z: case piece::equals_before_r: case piece::dollar_after_interval:
    case piece::equals_before_z_em: case piece::dollar_after_z_em:
      return on_search(what, begin, end, result);
    case piece::blank_redshift: {
      systems_.back().records.emplace_back();
      record_broken_ = false;
      list_line_blanks_ = -1;
      record()->start = begin;
      record()->blank_redshift = true;
      if (line_end_in(begin, end) >= 0) {
        report(check_code::CX107, begin, begin, "a line of blanks inside a line list: its line end is read as "
               "part of a line record", record_field("redshift"));
        return;
      }
      bool blanks = true;
      for (long long o = begin + 1; o < begin + 8; ++o) blanks = blanks && byte(o) == ' ';
      if (!blanks || byte(begin + 8) != '$') {
        long long dollar = begin;
        while (dollar < begin + 20 && byte(dollar) == ' ') ++dollar;
        const bool fixable = byte(dollar) == '$';
        report(check_code::CX106, begin, fixable ? dollar + 1 : end, "the blank redshift column is not eight "
               "blanks and a '$': columns 2 to 9 are skipped unread, and the name is read from "
               "column 10 (\"" + text(end, end + 9) + "\")", record_field("redshift"), -1,
               fixable ? "        $" : nullptr);
      }
      return;
    }
    case piece::marker_gap: {
      const long long last_end = [&] {
        long long l = -1;
        for (long long o = begin; o < end; ++o) if (byte(o) == '\n') l = o;
        return l;
      }();
      const int next = byte(end);
      if (next < 0 || next == '%' || next == '_') return;
      if (last_end < 0) {
        report(check_code::CX116, end, end, "text after a marker line's number (\"" + text(end, end + 30) +
               "\") is read as the next line record", record_field("marker"));
      } else if (last_end + 1 < end) {
        report(check_code::CX109, last_end + 1, end, "the line after a marker line starts with blanks, which "
               "the marker line's white space takes: its blank redshift column is not seen as one",
               record_field("marker"));
      }
      return;
    }
    case piece::ion_name: {
      record_at* r = record();
      if (r != nullptr) r->name_begin = begin, r->name_end = end - 1;
      const int t = byte(end - 1);
      name_terminator_ = t;
      if (t != '{' && t != ':') {
        if (r != nullptr) r->name_end = end;
        const bool line_end = line_end_in(begin, end) >= 0;
        report(check_code::CX209, line_end ? begin : begin + 9, end, line_end
               ? "no '{' or ':' after the ion name on its line: the name takes the line end"
               : "an ion name of more than nine characters is cut to \"" + text(begin, begin + 9) +
                 "\", and the tenth is dropped", record_field("name"));
      }
      return;
    }
    case piece::brace: {
      const record_at* r = record();
      const int c = byte(begin);
      if (r == nullptr || !r->rest_wv.ok || c < 0) return;
      const bool fits = name_terminator_ == '{' ? c == '}' : input::is_space(c);
      if (!fits && c != '\n') {
        report(check_code::CX105, begin, begin + 1, std::string("the laboratory wavelength stops at '") +
               static_cast<char>(c) + "' before its closing brace", record_field("laboratory wavelength"));
      }
      return;
    }
    case piece::dla_gap:
      for (long long o = begin; o < end; ++o) {
        if (is_digit(byte(o)) || byte(o) == '.' || byte(o) == '\n') {
          report(check_code::CX105, o, o + 1, "the two bytes after a damped Lyman-alpha system's name are "
                 "skipped unread: \"" + text(begin, end) + "\" holds part of the number",
                 record_field("column density"));
          break;
        }
      }
      return;
    case piece::list_end:
      if (result == input::kEnd) {
        ended_inside_ = true;
        spectrum_broken_ = false;
        report(check_code::CX114, begin, begin, "the file ends inside a spectrum: no '_' after its last line "
               "list", "spectrum");
      }
      return;
    case piece::catalogue_end:
      if (end == begin && !ended_inside_) {
        report(check_code::CX402, begin, begin, "no closing '#': the catalogue ends with the file", "file");
      }
      return;
    case piece::rest_wv: case piece::obs_wv: case piece::obs_wv_err: case piece::eq_width:
    case piece::eq_width_err: case piece::z_abs: case piece::wv_min: case piece::wv_max:
    case piece::resolution: case piece::s_to_n: case piece::z_em: {
      number_at n{begin, past_space(begin, end > begin ? end : begin + 1), end, result == 1};
      if (!n.ok) n.value = past_space(begin, begin + 4096);
      if (systems_.empty()) return;
      return on_number(what, n);
    }
    default:
      return;
  }
}

// A number that was read (converted).
bool written(const number_at& n) { return n.ok; }

struct value_at {
  const number_at* at;
  double x;
  const char* what;
};

std::string number_text(double x) {
  char t[32];
  std::snprintf(t, sizeof t, "%.10g", x);
  return t;
}

transition_match detector::transition_of(const char* ion, double rest) {
  std::string key(ion);
  key.append(reinterpret_cast<const char*>(&rest), sizeof rest);
  const auto known = transitions_.find(key);
  if (known != transitions_.end()) return known->second;
  if (transitions_.size() > 4096) transitions_.clear();
  const transition_match m = look_up_transition(ion, rest, limits_.rest_tolerance);
  transitions_.emplace(std::move(key), m);
  return m;
}

void detector::check_values(const QSO_spectrum& spectrum) {
  // CX207: names seen before.
  const std::string name = spectrum.qso_name.text;
  const auto seen = names_.emplace(name, name_at_);
  if (!seen.second) {
    report(check_code::CX207, name_at_, name_at_, "the spectrum name \"" + name + "\" is the name of an "
           "earlier spectrum, at {also}", "name", seen.first->second);
  }
  std::size_t index = 0;
  for (const sub_record* y = &spectrum.first_sys; y != nullptr && index < systems_.size();
       y = y->next, ++index) {
    const system_at& at = systems_[index];
    const header& h = y->sys_header;
    const int system = static_cast<int>(index) + 1;
    // Keys are made only for findings: most values give none.
    const header_record* key_interval = nullptr;
    const ::record* key_line = nullptr;
    auto key_of = [&] {
      if (key_line != nullptr) {
        return std::string("line ") + key_line->cur_ion_name.text + "{" +
               number_text(key_line->rest_wv) + "}";
      }
      if (key_interval != nullptr) {
        return "interval " + number_text(key_interval->wv_min) + "-" + number_text(key_interval->wv_max);
      }
      return std::string("header");
    };
    auto say = [&](check_code code, const number_at& n, const std::string& message,
                   const std::string& what) {
      finding f;
      f.code = code;
      f.begin = n.value;
      f.end = n.end > n.value ? n.end : n.value;
      f.message = message;
      f.spectrum = name;
      f.system = system;
      f.field = what.empty() ? key_of() : key_of() + ": " + what;
      out_.add(std::move(f));
    };
    auto near_minus_one = [&](const number_at& n, double x, const char* what) {
      if (written(n) && x != -1.0 && special_symbol_treatment(x) == 1) {
        say(check_code::CX203, n, number_text(x) + " is within 0.1 of -1, so the page shows it as not given",
            what);
        return true;
      }
      return false;
    };
    // The intervals.
    std::vector<wavelength_interval> intervals;
    std::size_t i = 0;
    for (const header_record* e = &h.first_entry; e != nullptr && i < at.intervals.size();
         e = e->next, ++i) {
      const interval_at& ea = at.intervals[i];
      key_interval = e;
      intervals.push_back({e->wv_min, e->wv_max});
      if (written(ea.wv_min) && written(ea.wv_max) && is_measurement(e->wv_min) &&
          is_measurement(e->wv_max) && e->wv_min > e->wv_max) {
        say(check_code::CX201, ea.wv_min, "the interval's minimum " + number_text(e->wv_min) +
            " exceeds its maximum " + number_text(e->wv_max), "");
      }
      near_minus_one(ea.wv_min, e->wv_min, "wv_min");
      near_minus_one(ea.wv_max, e->wv_max, "wv_max");
      for (const value_at& v : {value_at{&ea.resolution, e->resolution, "resolution"},
                                value_at{&ea.s_to_n, e->s_to_n, "S/N"}}) {
        const number_at& n = *v.at;
        const double x = v.x;
        const char* what = v.what;
        if (near_minus_one(n, x, what)) continue;
        if (written(n) && x <= 0 && x != -1.0) {
          say(check_code::CX204, n, std::string("a ") + what + " of " + number_text(x) + " (0 or less)", what);
        }
      }
    }
    key_interval = nullptr;
    near_minus_one(at.z_em, h.z_em, "z_em");
    // The lines.
    bool carry_missing = at.carry_said;
    std::size_t k = 0;
    for (const ::record* r = &y->lines.first_record; r != nullptr && k < at.records.size();
         r = r->next, ++k) {
      const record_at& ra = at.records[k];
      key_line = r;
      const char kind = r->ion_name.text[0];
      const bool marker_line = is_marker(r->z_abs);
      if (ra.blank_redshift && r->cur_z_abs == kNotGiven && !carry_missing) {
        carry_missing = true;
        say(check_code::CX108, number_at{ra.start, ra.start, ra.start + 9, true},
            "a blank redshift with nothing to carry over: no line above it in its list gives one",
            "redshift");
      }
      near_minus_one(ra.z_abs, r->z_abs, "z_abs");
      if (marker_line) continue;
      near_minus_one(ra.rest_wv, r->rest_wv, "lambda_lab");
      near_minus_one(ra.obs_wv, r->obs_wv, "lambda_obs");
      for (const value_at& v : {value_at{&ra.obs_wv_err, r->obs_wv_err, "error of the observed wavelength"},
                                value_at{&ra.eq_width, r->eq_width, "width"},
                                value_at{&ra.eq_width_err, r->eq_width_err, "error of the width"}}) {
        const number_at& n = *v.at;
        const double x = v.x;
        const char* what = v.what;
        if (near_minus_one(n, x, what)) continue;
        if (written(n) && x < 0 && x != -1.0) {
          say(check_code::CX202, n, std::string("a negative ") + what + " (" + number_text(x) + "), other than -1",
              what);
        }
      }
      const number_at& w = ra.eq_width;
      const double ew = r->eq_width;
      if (written(w) && ew >= kWidthEnd && ew < kColumnDensityStart) {
        say(check_code::CX205, w, "a width of " + number_text(ew) + " is neither a width (below 1000) nor a "
            "column density (100000 + log N)", "width");
      } else if (written(w) && ew >= kColumnDensityStart && special_symbol_treatment(ew) == 0) {
        const double log_n = ew - kColumnDensityBase;
        if (!(log_n >= 10 && log_n <= 23)) {
          say(check_code::CX206, w, "a column density of log N = " + number_text(log_n) + " (outside 10 to 23)",
              "column density");
        }
      }
      // CX208: a name that its first letter makes another kind than it looks.
      const std::string_view ion = r->ion_name.text;
      const bool other_kind = (kind == 'D' && ion.compare(0, 3, "DLA") != 0) || kind == 'B' ||
                              kind == 'L' || kind == 't';
      const transition_match::kind known =
          other_kind ? look_up_transition(ion, r->rest_wv, limits_.rest_tolerance).result
                     : transition_match::unknown_ion;
      const bool looks_usual =
          known == transition_match::known || known == transition_match::unknown_wavelength;
      if (other_kind && (looks_usual || (kind != 'D' && ion_key(ion) != "BAL" && ion_key(ion) != "LLS" &&
                           is_digit(r->remark.text[0] == '}' ? r->remark.text[1] : r->remark.text[0])))) {
        say(check_code::CX208, number_at{ra.name_begin, ra.name_begin, ra.name_end, true}, "the name \"" + std::string(ion) +
            "\" begins with '" + kind + "', so the line is read as " +
            (kind == 'D' ? "a damped Lyman-alpha system (two bytes skipped, one number)"
                         : "a system described in words (the rest of the line as its remark)"),
            "name");
      }
      const bool usual = kind != 'D' && kind != 'B' && kind != 'L' && kind != 't';
      // The science checks.
      if (usual && wavelength_disagrees(r->rest_wv, r->obs_wv, r->obs_wv_err, r->cur_z_abs, limits_)) {
        say(check_code::CX301, ra.obs_wv, "the observed wavelength " + number_text(r->obs_wv) + " is " +
            number_text(std::round(velocity_offset(r->rest_wv, r->obs_wv, r->cur_z_abs))) +
            " km/s from " + number_text(r->rest_wv) + " x (1 + " + number_text(r->cur_z_abs) + ")",
            "lambda_obs");
      }
      if (kind != 'B' && kind != 'L' && kind != 't' && above_emission(r->cur_z_abs, h.z_em, limits_)) {
        say(check_code::CX302, ra.z_abs.value >= 0 ? ra.z_abs : number_at{ra.start, ra.start, ra.start, true},
            "z_abs " + number_text(r->cur_z_abs) + " is " +
            number_text(std::round(velocity_against_emission(r->cur_z_abs, h.z_em))) +
            " km/s above z_em " + number_text(h.z_em), "z_abs");
      }
      if (usual && written(ra.obs_wv) &&
          outside_intervals(r->obs_wv, intervals.data(), static_cast<int>(intervals.size()))) {
        say(check_code::CX303, ra.obs_wv, "the observed wavelength " + number_text(r->obs_wv) +
            " lies outside every observed interval of its header", "lambda_obs");
      }
      if (usual && r->cur_ion_name.text[0] != '\0' && written(ra.rest_wv)) {
        const transition_match m = transition_of(r->cur_ion_name.text, r->rest_wv);
        if (m.result == transition_match::unknown_ion || m.result == transition_match::unknown_wavelength) {
          say(check_code::CX304, ra.rest_wv, std::string(r->cur_ion_name.text) + " " + number_text(r->rest_wv) +
              (m.nearest != nullptr ? " is not a line of the table (nearest: " +
                                          number_text(m.nearest->rest) + ")"
                                    : " is not an ion of the table of common transitions"),
              "lambda_lab");
        }
      }
    }
  }
}

void detector::finish() {
  if (pending_cr_ >= 0) crlf_or_lone(pending_cr_, -1);
  if (first_lone_cr_ >= 0 && !any_line_feed_) {
    report(check_code::CX112, first_lone_cr_, first_lone_cr_ + 1, "the lines end in CR alone: the readers "
           "see one line", "file");
  }
  if (size_ > 0 && last_byte_ != '\n') {
    report(check_code::CX403, size_, size_, "no line end at the end of the file", "file");
  }
}

}  // namespace

int check_catalogue(const char* path, reporter& out, const tolerances& t) {
  input::source in(path);
  if (!in.is_open()) return 0;
  detector heard(out, t);
  in.listen(&heard);
  // The findings stand for the program's messages.
  FILE* const said = messages::stream;
  messages::stream = nullptr;
  const int spectra = Read_Data_Base(in, [&](QSO_spectrum& spectrum) {
    heard.check_values(spectrum);
    out.flush_before(in.offset());
  });
  messages::stream = said;
  heard.finish();
  return spectra;
}
