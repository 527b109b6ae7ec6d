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
// consumed and not kept.  A run that ran out of the window is followed by a
// run on the stream, which writes again every byte this one wrote.
template <class Reader>
int read_text(Reader& in, int pending, int c1, int c2, int limit, char* text,
              int capacity) {
  int read = 0;
  int kept = 0;
  for (;;) {
    const int c = pending != input::kEnd ? pending : in.get();
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

template <class Reader>
int reads_to(Reader& in, int stop, int pending) {
  int reads = 0;
  while (reads < kMaxReads) {
    const int c = pending != input::kEnd ? pending : in.get();
    pending = input::kEnd;
    if (c == input::kEnd) return kMaxReads;
    ++reads;
    if (c == stop) break;
  }
  return reads;
}

}  // namespace

int string::read_until(FILE* file, int pending, char c1, char c2, int limit) {
  if (c1 == '\0' || c2 == '\0') {
    input::step_back(file, pending);
    return -1;
  }
  const int t1 = static_cast<unsigned char>(c1);
  const int t2 = static_cast<unsigned char>(c2);
  input::window_reader window(file);
  int kept = read_text(window, pending, t1, t2, limit, text, kCapacity);
  if (window.ran_out()) {
    input::stream_reader stream(file);
    kept = read_text(stream, pending, t1, t2, limit, text, kCapacity);
  } else {
    window.commit();
  }
  return kept;
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
  input::window_reader window(file);
  int reads = reads_to(window, s, pending);
  if (window.ran_out()) {
    input::stream_reader stream(file);
    reads = reads_to(stream, s, pending);
  } else {
    window.commit();
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
