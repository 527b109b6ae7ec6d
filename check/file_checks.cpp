#include "check/file_checks.h"

#include <cstring>

void file_checks::take(long long base, const unsigned char* data, unsigned long size) {
  for (unsigned long i = 0; i < 3 && base + static_cast<long long>(i) < 3 && i < size; ++i) {
    head_[base + static_cast<long long>(i)] = data[i];
    if (base + static_cast<long long>(i) == 2 && head_[0] == 0xEF && head_[1] == 0xBB && head_[2] == 0xBF) {
      r_.report(check_code::CX113, 0, 3, "a byte-order mark at the start of the file: its first byte is "
                "read as the first spectrum's opening character and the rest as part of its name",
                "file", -1, "");
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
      pending_cr_ = at;
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

void file_checks::crlf_or_lone(long long at, int next) {
  if (next == '\n') {
    if (first_crlf_ < 0) {
      first_crlf_ = at;
      r_.report(check_code::CX401, at, at + 1, "CR LF line ends: the CR is read as part of texts that "
                "end at the line end (remarks, captions, notes)", "file");
    }
  } else if (first_lone_cr_ < 0) {
    first_lone_cr_ = at;
  }
}

void file_checks::finish() {
  if (pending_cr_ >= 0) crlf_or_lone(pending_cr_, -1);
  if (first_lone_cr_ >= 0 && !any_line_feed_) {
    r_.report(check_code::CX112, first_lone_cr_, first_lone_cr_ + 1, "the lines end in CR alone: the "
              "readers see one line", "file");
  }
  if (size_ > 0 && last_byte_ != '\n') {
    r_.report(check_code::CX403, size_, size_, "no line end at the end of the file", "file");
  }
}
