#include "catalogue/input.h"

#include <filesystem>
#include <system_error>

namespace input {

FILE* open(const char* path) {
  // Only a regular file (or a link to one) is an input: a directory cannot
  // be read, and a device or a pipe may never end or never open.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  FILE* file = std::fopen(path, "rb");
  // Large reads: a catalogue of gigabytes in blocks of a few kilobytes costs
  // a call to the system per block.
  if (file != nullptr) std::setvbuf(file, nullptr, _IOFBF, 1 << 18);
  return file;
}

void skip(FILE* file, int n) {
  const window w = buffered(file);
  if (n >= 0 && w.end - w.next >= n) {
    take_to(file, w.next + n);
    return;
  }
  for (int i = 0; i < n; ++i) {
    if (read_char(file) == kEnd) return;
  }
}

void skip_white_space(FILE* file) { skip_white_space_from(file, kEnd); }

void skip_white_space_from(FILE* file, int pending) {
  if (pending != kEnd && !is_space(pending)) {
    step_back(file, pending);
    return;
  }
  window_reader window(file);
  int c = window.get();
  while (is_space(c)) c = window.get();
  if (!window.ran_out()) {
    window.commit(c);
    return;
  }
  c = read_char(file);
  while (is_space(c)) c = read_char(file);
  step_back(file, c);
}

bool read_letter(FILE* file, char* value) {
  const int c = read_char(file);
  if (c == kEnd) return false;
  *value = static_cast<char>(c);
  return true;
}

}  // namespace input
