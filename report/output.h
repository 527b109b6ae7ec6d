#ifndef CATALIX_REPORT_OUTPUT_H_
#define CATALIX_REPORT_OUTPUT_H_

// Writing text to the page.  A literal's length is known when the program
// is built, so nothing is scanned for its end.

#include <cstdio>
#include <string_view>

namespace output {

inline void put(FILE* out, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace output

#endif  // CATALIX_REPORT_OUTPUT_H_
