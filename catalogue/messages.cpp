#include "catalogue/messages.h"

namespace messages {

FILE* stream = stdout;

void say(const char* text) {
  if (stream == nullptr) return;
  std::fputs(text, stream);
  std::fflush(stream);
}

}  // namespace messages
