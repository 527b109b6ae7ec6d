#include "report/output.h"

#include "catalogue/bits.h"
#include "catalogue/string.h"

#include <algorithm>
#include <vector>

#if CATALIX_THREADS
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace output {

Buffer buffer;

namespace {

char blocks[2][Buffer::kSize];

#if defined(_WIN32)
// The page's file is opened in binary and its line ends are made CR LF
// here, a block at a time, as the C library's text mode would have made
// them a few bytes at a time, which cost the all-lines query half its time.
const bool kCrLf = true;
#else
const bool kCrLf = false;
#endif

// Writes `size` bytes at `data` to `file` as a text file of the platform;
// `scratch` holds the line ends' CRs where they are made here.
void write_text(const char* data, std::size_t size, FILE* file, std::vector<char>& scratch) {
  if (!kCrLf) {
    std::fwrite(data, 1, size, file);
    return;
  }
  const char* const end = data + size;
  while (data != end) {
    const std::size_t piece = std::min<std::size_t>(end - data, Buffer::kSize);
    scratch.resize(2 * piece);
    char* out = scratch.data();
    const char* const piece_end = data + piece;
    // Eight bytes at a time where none of them is a LF: the C library's
    // memchr may look at one byte at a time, and lines are short.
    while (data != piece_end) {
      if (piece_end - data >= 8) {
        const uint64_t x =
            bits::load_little_endian(reinterpret_cast<const unsigned char*>(data)) ^ 0x0A0A0A0A0A0A0A0Au;
        if (((x - 0x0101010101010101u) & ~x & 0x8080808080808080u) == 0) {
          std::memcpy(out, data, 8);
          out += 8;
          data += 8;
          continue;
        }
      }
      if (*data == '\n') *out++ = '\r';
      *out++ = *data++;
    }
    std::fwrite(scratch.data(), 1, out - scratch.data(), file);
  }
}

std::vector<char> main_scratch;  // for the writes made on the program's thread

#if CATALIX_THREADS
// Writes one block at a time to the buffer's stream.
class block_writer {
 public:
  explicit block_writer(FILE* file) : file_(file), thread_([this] { run(); }) {}

  // Hands over `size` bytes at `data` once the block handed over before is
  // written, so that the one being filled is free again.
  void write(const char* data, std::size_t size) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return idle(); });
    next_ = data;
    size_ = size;
    changed_.notify_all();
  }

  // Writes what was handed over and ends the thread.
  void finish() {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return idle(); });
      finishing_ = true;
      changed_.notify_all();
    }
    thread_.join();
  }

 private:
  bool idle() const { return next_ == nullptr && !writing_; }

  void run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [&] { return next_ != nullptr || finishing_; });
      if (next_ == nullptr) return;
      const char* data = next_;
      const std::size_t size = size_;
      next_ = nullptr;
      writing_ = true;
      lock.unlock();
      write_text(data, size, file_, scratch_);
      lock.lock();
      writing_ = false;
      changed_.notify_all();
    }
  }

  FILE* file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  const char* next_ = nullptr;  // handed over, not yet taken
  std::size_t size_ = 0;
  bool writing_ = false;
  bool finishing_ = false;
  std::vector<char> scratch_;
  std::thread thread_;  // last: starts once the rest is set up
};

block_writer* writer = nullptr;
#endif

}  // namespace

// Hands what waits in the buffer to its stream.
void hand_over() {
  if (buffer.used == 0) return;
#if CATALIX_THREADS
  if (writer != nullptr) {
    writer->write(buffer.data, buffer.used);
    buffer.data = buffer.data == blocks[0] ? blocks[1] : blocks[0];
    buffer.used = 0;
    return;
  }
#endif
  write_text(buffer.data, buffer.used, buffer.file, main_scratch);
  buffer.used = 0;
}

void attach(FILE* file) {
  release();
  buffer.file = file;
  buffer.data = blocks[0];
#if CATALIX_THREADS
  writer = new block_writer(file);
#endif
}

void release() {
  if (buffer.file != nullptr) hand_over();
#if CATALIX_THREADS
  if (writer != nullptr) {
    writer->finish();
    delete writer;
    writer = nullptr;
  }
#endif
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
#if CATALIX_THREADS
    // Straight to the stream, after what was handed over before it.
    if (writer != nullptr) {
      writer->finish();
      delete writer;
      write_text(text.data(), text.size(), out, main_scratch);
      writer = new block_writer(out);
      return;
    }
#endif
    write_text(text.data(), text.size(), out, main_scratch);
    return;
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
