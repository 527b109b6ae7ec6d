#include "catalogue/string.h"

#include <cstring>

#include "catalogue/messages.h"

string::string(const char* src) : text(), next(nullptr) {
  // Texts made from literals are short; longer ones are cut.
  const int kLiteralLimit = 39;
  std::strncpy(text, src, kLiteralLimit);
}

int string::Read_string(input::source& in, char c, input::piece what) {
  return read_until(in, c, c, 0, what);
}

int string::Read_string2(input::source& in, char c, int n) {
  if (n <= 0) return -1;
  return read_until(in, c, c, n, input::piece::none);
}

int string::Read_string3(input::source& in, char c1, char c2, input::piece what) {
  return read_until(in, c1, c2, 0, what);
}

int string::Read_string4(input::source& in, char c1, char c2, int n, input::piece what) {
  if (n <= 0) return -1;
  return read_until(in, c1, c2, n, what);
}

int string::read_until(input::source& in, char c1, char c2, int limit, input::piece what) {
  if (c1 == '\0' || c2 == '\0') return -1;
  return in.read_text(text, kCapacity, static_cast<unsigned char>(c1),
                      static_cast<unsigned char>(c2), limit, what);
}

void string::copy_text(const string& other) {
  // Up to the NUL only: what lies after it is never read as text.
  int i = 0;
  for (; i < kCapacity - 1 && other.text[i] != '\0'; ++i) text[i] = other.text[i];
  text[i] = '\0';
}

void say_stop_signal_lost(char stop) {
  // The warning goes out as it occurs.
  char warning[] = "file read message: stop_signal '?' lost\n";
  warning[sizeof "file read message: stop_signal '" - 1] = stop;
  messages::say(warning);
}
