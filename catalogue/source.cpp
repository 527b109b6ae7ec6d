// The one file that opens input files and moves in them, so the one place
// with calls that differ between platforms: a 64-bit seek.

#if !defined(_WIN32)
#define _FILE_OFFSET_BITS 64  // seeks past 2 GiB where long is 32 bits
#endif

#include "catalogue/source.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "catalogue/arena.h"

namespace input {
namespace {

// Only a regular file (or a link to one) is an input: a directory cannot be
// read, and a device or a pipe may never end or never open.
FILE* open_regular_file(const char* path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  return std::fopen(path, "rb");
}

bool seek_file(FILE* file, long long offset) {
#if defined(_WIN32)
  return _fseeki64(file, offset, SEEK_SET) == 0;
#elif defined(__unix__) || defined(__APPLE__)
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#else
  return offset == static_cast<long>(offset) && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
#endif
}

const unsigned char* find(const unsigned char* from, const unsigned char* to, int t1, int t2) {
  if (t1 == t2) {
    // Lines of text: the library's search takes many bytes at a time.
    return static_cast<const unsigned char*>(
        std::memchr(from, t1, static_cast<std::size_t>(to - from)));
  }
  for (; from != to; ++from) {
    if (*from == t1 || *from == t2) return from;
  }
  return nullptr;
}

}  // namespace

source::source(const char* path, std::size_t block) : source(open_regular_file(path), block) {}

source::source(FILE* file, std::size_t block) : file_(file), block_(block > 0 ? block : 1) {
  buffer_ = static_cast<unsigned char*>(std::malloc(block_ + kPadding));
  if (buffer_ == nullptr) arena::out_of_memory();
  std::memset(buffer_, 0, kPadding);
  next_ = end_ = buffer_;
  if (file_ == nullptr) {
    ended_ = true;
    return;
  }
  // The reading goes straight into our buffer, with no second one between.
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

source::~source() {
  if (file_ != nullptr) std::fclose(file_);
  std::free(buffer_);
}

bool source::refill() {
  if (ended_) return false;
  base_ += end_ - buffer_;
  const std::size_t got = std::fread(buffer_, 1, block_, file_);
  // A short read is the end (or an error, which reads as the end).
  if (got < block_) ended_ = true;
  next_ = buffer_;
  end_ = buffer_ + got;
  std::memset(buffer_ + got, 0, kPadding);
  if (listener_ != nullptr && got > 0) listener_->filled(base_, buffer_, got);
  return got > 0;
}

int source::refill_and_get() { return refill() ? *next_++ : kEnd; }
int source::refill_and_peek() { return refill() ? *next_ : kEnd; }

bool source::seek(long long offset) {
  if (file_ == nullptr || offset < 0 || !seek_file(file_, offset)) return false;
  std::clearerr(file_);
  base_ = offset;
  next_ = end_ = buffer_;
  ended_ = false;
  return true;
}

void source::skip_slowly(int n, piece what) {
  const long long begin = offset();
  while (n > 0 && (next_ != end_ || refill())) {
    const long held = end_ - next_;
    const int take = held < n ? static_cast<int>(held) : n;
    next_ += take;
    n -= take;
  }
  mark(what, begin);
}

void source::skip_white_space(piece what) {
  const long long begin = offset();
  do {
    while (next_ != end_ && is_space(*next_)) ++next_;
  } while (next_ == end_ && refill());
  mark(what, begin);
}

int source::reads_to_slowly(int stop, int budget, piece what) {
  const long long begin = offset();
  int reads = 0;
  while (reads < budget) {
    if (next_ == end_ && !refill()) {
      reads = budget;  // reads at the end fail, and count
      break;
    }
    const long held = end_ - next_;
    const int window = held < budget - reads ? static_cast<int>(held) : budget - reads;
    const auto* hit = static_cast<const unsigned char*>(
        std::memchr(next_, stop, static_cast<std::size_t>(window)));
    if (hit != nullptr) {
      reads += static_cast<int>(hit - next_) + 1;
      next_ = hit + 1;
      break;
    }
    next_ += window;
    reads += window;
  }
  mark(what, begin, reads);
  return reads;
}

int source::read_text(char* text, int capacity, int t1, int t2, int limit, piece what) {
  const long long begin = offset();
  int read = 0;
  int kept = 0;
  while (next_ != end_ || refill()) {
    const unsigned char* stop = end_;
    if (limit > 0 && stop - next_ > limit - read) stop = next_ + (limit - read);
    const unsigned char* hit = find(next_, stop, t1, t2);
    const unsigned char* upto = hit != nullptr ? hit : stop;
    int taken = static_cast<int>(upto - next_);
    read += taken;
    // The limit-th byte is read and dropped.
    const bool at_limit = hit == nullptr && limit > 0 && read == limit;
    if (at_limit) --taken;
    const int room = capacity - 1 - kept;
    const int copied = taken < room ? taken : room;
    std::memcpy(text + kept, next_, static_cast<std::size_t>(copied));
    kept += copied;
    next_ = hit != nullptr ? hit + 1 : upto;
    if (hit != nullptr || at_limit) break;
  }
  text[kept] = '\0';
  mark(what, begin, kept);
  return kept;
}

}  // namespace input
