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

// limit 0 means no limit.  The terminator, and the limit-th character, are
// consumed and not kept.
int string::read_until(FILE* file, int pending, char c1, char c2, int limit) {
  if (c1 == '\0' || c2 == '\0') {
    input::step_back(file, pending);
    return -1;
  }
  int read = 0;
  int kept = 0;
  for (;;) {
    const int c = input::next_char(file, pending);
    pending = input::kEnd;
    if (c == input::kEnd) break;
    ++read;
    if (c == static_cast<unsigned char>(c1) ||
        c == static_cast<unsigned char>(c2)) {
      break;
    }
    if (limit > 0 && read == limit) break;
    if (kept < kCapacity - 1) text[kept++] = static_cast<char>(c);
  }
  text[kept] = '\0';
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
  const int kMaxReads = 1001;
  int reads = 0;
  while (reads < kMaxReads) {
    const int c = input::next_char(file, pending);
    pending = input::kEnd;
    if (c == input::kEnd) {
      // Reads at the end of the input fail and match nothing.
      reads = kMaxReads;
      break;
    }
    ++reads;
    if (c == static_cast<unsigned char>(stop)) break;
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
