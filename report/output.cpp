#include "report/output.h"

#include "catalogue/string.h"

namespace output {

Buffer buffer;

// Hands what waits in the buffer to its stream.
void hand_over() {
  if (buffer.used != 0) std::fwrite(buffer.data, 1, buffer.used, buffer.file);
  buffer.used = 0;
}

void attach(FILE* file) {
  release();
  buffer.file = file;
}

void release() {
  if (buffer.file != nullptr) hand_over();
  buffer.file = nullptr;
}

void put_slow(FILE* out, std::string_view text) {
  if (out == buffer.file) {
    hand_over();
    if (text.size() <= Buffer::kSize) {
      std::memcpy(buffer.data, text.data(), text.size());
      buffer.used = text.size();
      return;
    }
  }
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace output

// A member of the catalogue's text field, defined here: it writes through
// the page's buffer, which the catalogue does not know.
int string::print_symbol_off(FILE* out, char c) const {
  int i = 0;
  for (; text[i] != '\0'; ++i) {
    if (text[i] != c) output::put_char(out, text[i]);
  }
  return i - 1;
}
