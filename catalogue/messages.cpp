#include "catalogue/messages.h"

namespace messages {

FILE* stream = stdout;
receiver* diverted_to = nullptr;

void say(const char* text) {
  if (diverted_to != nullptr) {
    diverted_to->heard(text);
    return;
  }
  if (stream == nullptr) return;
  std::fputs(text, stream);
  std::fflush(stream);
}

}  // namespace messages
