#include "check/marker_checks.h"

#include <string>

using input::piece;

namespace {

// A search gives up after this many reads, and the program says so.
const int kMaxReads = 1001;
// The bytes a text keeps; the rest up to its end is read and dropped.
const int kKept = 99;

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

}  // namespace

void check_search(reading& r, piece what, long long begin, long long end, int reads) {
  const char stop = what == piece::equals_before_r || what == piece::equals_before_z_em ? '=' : '$';
  auto field = [&] {
    return what == piece::dollar_after_z ? r.record_field(marker_name(what)) : std::string(marker_name(what));
  };
  if (reads >= kMaxReads) {
    // The counterpart of the program's own message, one for each.
    r.report(check_code::CX104, begin, begin, std::string("no ") + marker_name(what) +
             " within 1000 characters (\"file read message: stop_signal '" + stop +
             "' lost\"); reading resumed at {also}", field(), end);
    return;
  }
  const long long found = end - 1;
  if (r.bytes.line_end_in(begin, found) < 0) return;
  const int lost = r.bytes.line_ends_in(begin, found);
  const std::string lines = lost == 1 ? "this line is lost"
                                      : "this line and the " + std::to_string(lost - 1) +
                                            " after it are lost";
  if (what == piece::dollar_after_z) {
    r.report(check_code::CX101, begin, begin, "no '$' after the redshift; reading resumed at {also}, " +
             lines, field(), end);
  } else {
    r.report(check_code::CX102, begin, begin, std::string("no ") + marker_name(what) +
             " on its line; reading resumed at {also}, " + lines, field(), end);
  }
}

void check_text(reading& r, piece what, long long begin, long long end, int kept) {
  const int terminator = what == piece::qso_name ? '$' : '\n';
  long long written = end - begin;
  const int last = r.bytes.at(end - 1);
  if (last == terminator || (what == piece::qso_label && last == ' ')) --written;
  if (kept == kKept && written > kKept) {
    const bool inside = (r.bytes.at(begin + kKept) & 0xC0) == 0x80;
    r.report(check_code::CX211, begin + kKept, begin + written, std::string("a text of ") +
             std::to_string(written) + " characters is cut at 99" +
             (inside ? ", inside a UTF-8 character" : ""), "text");
  }
  if (what == piece::qso_name && r.bytes.line_end_in(begin, end) >= 0) {
    r.report(check_code::CX103, begin, begin, "no '$' after the quasar name on its line: the name runs "
             "on to {also}", "name", end);
  }
}
