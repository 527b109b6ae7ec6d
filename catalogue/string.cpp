#include "catalogue/string.h"

#include <cstring>

#include "catalogue/input.h"
#include "catalogue/messages.h"

string::string(const char* src) : text(), next(nullptr) {
  // Texts made from literals are short; longer ones are cut.
  const int kLiteralLimit = 39;
  std::strncpy(text, src, kLiteralLimit);
}

int string::Read_string(FILE* file, char c) {
  return read_until(file, input::kEnd, c, c, 0);
}

int string::Read_string2(FILE* file, char c, int n) {
  if (n <= 0) return -1;
  return read_until(file, input::kEnd, c, c, n);
}

int string::Read_string3(FILE* file, char c1, char c2) {
  return read_until(file, input::kEnd, c1, c2, 0);
}

int string::Read_string4(FILE* file, char c1, char c2, int n) {
  if (n <= 0) return -1;
  return read_until(file, input::kEnd, c1, c2, n);
}

int string::Read_string_from(FILE* file, int pending, char c) {
  return read_until(file, pending, c, c, 0);
}

namespace {

// limit 0 means no limit.  The terminator, and the limit-th character, are
// consumed and not kept.
int read_text(FILE* file, int pending, int c1, int c2, int limit, char* text,
              int capacity) {
  int read = 0;
  int kept = 0;
  for (;;) {
    const int c = input::next_char(file, pending);
    pending = input::kEnd;
    if (c == input::kEnd) break;
    ++read;
    if (c == c1 || c == c2) break;
    if (limit > 0 && read == limit) break;
    if (kept < capacity - 1) text[kept++] = static_cast<char>(c);
  }
  text[kept] = '\0';
  return kept;
}

// How many reads it takes to get past `stop`: at most kMaxReads, which also
// stands for the end of the input (reads there fail and match nothing).
const int kMaxReads = 1001;

int reads_to(FILE* file, int stop, int pending) {
  int reads = 0;
  while (reads < kMaxReads) {
    const int c = input::next_char(file, pending);
    pending = input::kEnd;
    if (c == input::kEnd) return kMaxReads;
    ++reads;
    if (c == stop) break;
  }
  return reads;
}

// reads_to on the bytes the stream holds, when they decide it; -1, having
// taken nothing, when they do not.
int reads_in_window(FILE* file, int stop, int pending) {
  int read = 0;
  if (pending != input::kEnd) {
    if (pending == stop) return 1;
    read = 1;
  }
  const input::window w = input::buffered(file);
  const long budget = kMaxReads - read;
  const long held = w.end - w.next;
  if (held == 0) return -1;
  const void* hit =
      std::memchr(w.next, stop, static_cast<std::size_t>(held < budget ? held : budget));
  if (hit != nullptr) {
    const unsigned char* at = static_cast<const unsigned char*>(hit);
    input::take_to(file, at + 1);
    return read + static_cast<int>(at - w.next) + 1;
  }
  if (held < budget) return -1;
  input::take_to(file, w.next + budget);
  return kMaxReads;
}

}  // namespace

int string::read_until(FILE* file, int pending, char c1, char c2, int limit) {
  if (c1 == '\0' || c2 == '\0') {
    input::step_back(file, pending);
    return -1;
  }
  const int t1 = static_cast<unsigned char>(c1);
  const int t2 = static_cast<unsigned char>(c2);
  const int kept = read_from_window(file, pending, t1, t2, limit);
  if (kept >= 0) return kept;
  return read_text(file, pending, t1, t2, limit, text, kCapacity);
}

// read_until on the bytes the stream holds, when the text ends among them;
// -1, having taken nothing, when it does not.
int string::read_from_window(FILE* file, int pending, int t1, int t2, int limit) {
  int read = 0;
  if (pending != input::kEnd) {
    read = 1;
    if (pending == t1 || pending == t2 || limit == 1) {
      text[0] = '\0';
      return 0;
    }
    text[0] = static_cast<char>(pending);
  }
  const input::window w = input::buffered(file);
  const long left = limit > 0 ? limit - read : -1;
  const unsigned char* stop = left >= 0 && w.end - w.next >= left ? w.next + left : w.end;
  const unsigned char* p = w.next;
  if (t1 == t2) {
    // Lines of text: the library's search takes many bytes at a time.
    const void* hit = p != stop ? std::memchr(p, t1, static_cast<std::size_t>(stop - p)) : nullptr;
    p = hit != nullptr ? static_cast<const unsigned char*>(hit) : stop;
  } else {
    while (p != stop && *p != t1 && *p != t2) ++p;
  }
  if (p == stop && stop == w.end && left != w.end - w.next) return -1;
  // The terminator at p, or the limit-th character before it, is read and
  // not kept.
  const unsigned char* taken = p != stop ? p : p - 1;
  long count = taken - w.next;
  if (count > kCapacity - 1 - read) count = kCapacity - 1 - read;
  std::memcpy(text + read, w.next, static_cast<std::size_t>(count));
  text[read + count] = '\0';
  input::take_to(file, taken + 1);
  return static_cast<int>(read + count);
}

void string::copy_text(const string& other) {
  // Up to the NUL only: what lies after it is never read as text.
  int i = 0;
  for (; i < kCapacity - 1 && other.text[i] != '\0'; ++i) text[i] = other.text[i];
  text[i] = '\0';
}

int descriptor_shift(FILE* file, char stop) {
  return descriptor_shift(file, stop, input::kEnd);
}

int descriptor_shift(FILE* file, char stop, int pending) {
  const int s = static_cast<unsigned char>(stop);
  int reads = reads_in_window(file, s, pending);
  if (reads < 0) {
    reads = reads_to(file, s, pending);
  }
  if (reads == kMaxReads) {
    // The warning goes out as it occurs.
    char warning[] = "file read message: stop_signal '?' lost\n";
    warning[sizeof "file read message: stop_signal '" - 1] = stop;
    messages::say(warning);
    return 1;
  }
  return 0;
}
