#ifndef CATALIX_REPORT_OUTPUT_H_
#define CATALIX_REPORT_OUTPUT_H_

// The writing primitives of the page writers.  A page is made of millions of
// short pieces, and stdio's cost per call outweighs the copying, so the
// stream being written can be given a buffer of our own; writes to any other
// stream go straight to stdio.  Everything written to a stream goes through
// here, so that nothing overtakes what waits in the buffer.

#include <cstdio>
#include <cstring>
#include <string_view>

namespace output {

// Where the platform has threads, a full buffer is written to its stream
// on a thread of its own while the next one fills: the system's writing of
// a large page costs a fifth of the run.  There are two blocks of kSize
// bytes; `data` is the one being filled.
class Buffer {
 public:
  static constexpr std::size_t kSize = 1 << 20;
  FILE* file = nullptr;  // the stream the buffer stands in front of
  std::size_t used = 0;
  char* data = nullptr;
};

extern Buffer buffer;

// The fopen mode of a file the buffer stands in front of.
inline const char kWriteMode[] = "wb";

// Puts the buffer in front of `file` until release().  `file` is opened in
// binary (kWriteMode): what goes through the buffer gets the line ends of
// the platform's text files on its way out.
void attach(FILE* file);
// Hands what waits in the buffer to its stream, waits until all of it has
// been written to the stream, and detaches it.
void release();

void put_slow(FILE* out, std::string_view text);

inline void put(FILE* out, std::string_view text) {
  if (out == buffer.file && text.size() <= Buffer::kSize - buffer.used) {
    std::memcpy(buffer.data + buffer.used, text.data(), text.size());
    buffer.used += text.size();
  } else {
    put_slow(out, text);
  }
}

inline void put_char(FILE* out, char c) { put(out, std::string_view(&c, 1)); }

void hand_over();

// Room for up to `size` (at most Buffer::kSize) bytes to be written straight
// into the buffer in front of `out`, and kept with commit(); null when `out`
// has no buffer.  Bytes past those kept are scratch.
inline char* room(FILE* out, std::size_t size) {
  if (out != buffer.file) return nullptr;
  if (size > Buffer::kSize - buffer.used) hand_over();
  return buffer.data + buffer.used;
}
inline void commit(std::size_t size) { buffer.used += size; }

}  // namespace output

#endif  // CATALIX_REPORT_OUTPUT_H_
