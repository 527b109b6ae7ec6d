#include "catalogue/input.h"

#include <cctype>

namespace input {

FILE* open(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return nullptr;
  // A directory opens on some systems but cannot be read: try one byte.
  const int c = read_char(file);
  if (c == kEnd && std::ferror(file)) {
    std::fclose(file);
    return nullptr;
  }
  step_back(file, c);
  std::clearerr(file);
  return file;
}

void skip(FILE* file, int n) {
  for (int i = 0; i < n; ++i) {
    if (read_char(file) == kEnd) return;
  }
}

void skip_white_space(FILE* file) {
  int c;
  do {
    c = read_char(file);
  } while (c != kEnd && std::isspace(c));
  step_back(file, c);
}

bool read_letter(FILE* file, char* value) {
  const int c = read_char(file);
  if (c == kEnd) return false;
  *value = static_cast<char>(c);
  return true;
}

}  // namespace input
