#include "check/held_bytes.h"

#include "catalogue/source.h"

namespace {

// Beyond this the older half goes: a spectrum is rarely larger.
const std::size_t kHeld = 1 << 20;

}  // namespace

void held_bytes::take(long long base, const unsigned char* data, unsigned long size) {
  if (bytes_.size() > kHeld) {
    bytes_.erase(0, bytes_.size() - kHeld / 2);
    base_ = base - static_cast<long long>(bytes_.size());
  }
  if (bytes_.empty()) base_ = base;
  bytes_.append(reinterpret_cast<const char*>(data), size);
}

long long held_bytes::line_end_in(long long from, long long to) const {
  for (long long o = from; o < to; ++o) {
    if (at(o) == '\n') return o;
  }
  return -1;
}

long long held_bytes::last_line_end_in(long long from, long long to) const {
  long long last = -1;
  for (long long o = from; o < to; ++o) {
    if (at(o) == '\n') last = o;
  }
  return last;
}

int held_bytes::line_ends_in(long long from, long long to) const {
  int n = 0;
  for (long long o = from; o < to; ++o) n += at(o) == '\n' ? 1 : 0;
  return n;
}

long long held_bytes::past_space(long long from, long long to) const {
  while (from < to && input::is_space(at(from))) ++from;
  return from;
}

std::string held_bytes::text(long long from, long long to) const {
  std::string t;
  for (long long o = from; o < to && t.size() < 40; ++o) {
    const int c = at(o);
    if (c < 0 || c == '\n' || c == '\r') break;
    t += static_cast<char>(c);
  }
  return t;
}
