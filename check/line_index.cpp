#include "check/line_index.h"

#include <algorithm>
#include <cstring>

line_index::line_index(const std::string& path) : file_(path, std::ios::binary), block_(kBlock) {
  if (!file_) return;
  file_.seekg(0, std::ios::end);
  size_ = static_cast<long long>(file_.tellg());
  open_ = size_ >= 0;
  if (!open_) size_ = 0;
  checkpoints_.push_back({1, 0});
}

bool line_index::load(long long offset) {
  if (offset >= block_start_ && offset < block_start_ + block_length_) return true;
  block_start_ = offset / kBlock * kBlock;
  file_.clear();
  file_.seekg(block_start_);
  file_.read(block_.data(), kBlock);
  block_length_ = file_ || file_.eof() ? static_cast<long long>(file_.gcount()) : 0;
  return offset < block_start_ + block_length_;
}

int line_index::byte_at(long long offset) {
  if (offset < 0 || offset >= size_ || !load(offset)) return -1;
  return static_cast<unsigned char>(block_[offset - block_start_]);
}

void line_index::sweep_to(long long offset) {
  while (pos_ < offset) {
    // A file that shrank since it was opened ends where its bytes end.
    if (!load(pos_)) {
      size_ = pos_;
      return;
    }
    const long long chunk_start = pos_ / kChunk * kChunk;
    const long long limit = std::min({offset, chunk_start + kChunk, block_start_ + block_length_});
    const char* data = block_.data();
    const char* p = data + (pos_ - block_start_);
    const char* end = data + (limit - block_start_);
    while (const void* hit = std::memchr(p, '\n', end - p)) {
      p = static_cast<const char*>(hit) + 1;
      ++line_;
      line_start_ = block_start_ + (p - data);
      starts_.push_back(static_cast<std::uint32_t>(line_start_ - chunk_start));
    }
    pos_ = limit;
    if (pos_ == chunk_start + kChunk) {
      if (checkpoints_.size() == static_cast<std::size_t>(pos_ / kChunk)) {
        checkpoints_.push_back({line_, line_start_});
      }
      starts_.clear();
    }
  }
}

void line_index::restart_at(long long chunk) {
  pos_ = chunk * kChunk;
  line_ = checkpoints_[chunk].line;
  line_start_ = checkpoints_[chunk].line_start;
  starts_.clear();
}

line_index::place line_index::locate(long long offset) {
  offset = std::max(0LL, std::min(offset, size_));
  if (!open_) return {1, offset + 1};
  if (offset >= pos_) {
    sweep_to(offset);
    offset = std::min(offset, pos_);
    return {line_, offset - line_start_ + 1};
  }
  const long long chunk = pos_ / kChunk;
  const long long base = chunk * kChunk;
  if (offset < base) {
    restart_at(offset / kChunk);
    sweep_to(offset);
    return {line_, offset - line_start_ + 1};
  }
  // Behind the sweep, within its chunk: the line starts there say where.
  const auto after = std::upper_bound(starts_.begin(), starts_.end(),
                                      static_cast<std::uint32_t>(offset - base));
  const long long k = after - starts_.begin();
  const long long start = k == 0 ? checkpoints_[chunk].line_start : base + starts_[k - 1];
  return {checkpoints_[chunk].line + k, offset - start + 1};
}

line_index::excerpt line_index::line_around(long long offset, long long max_bytes) {
  const place at = locate(offset);
  offset = std::max(0LL, std::min(offset, size_));
  const long long line_start = offset - (at.column - 1);
  const long long first = std::max(line_start, offset - max_bytes / 2);
  excerpt shown{std::string(), first - line_start + 1, first > line_start, false};
  long long i = first;
  int c = byte_at(i);
  while (c != -1 && c != '\n' && i - first < max_bytes) {
    shown.text += static_cast<char>(c);
    c = byte_at(++i);
  }
  shown.cut_after = c != -1 && c != '\n';
  if (c == '\n' && !shown.text.empty() && shown.text.back() == '\r') shown.text.pop_back();
  return shown;
}

long long line_index::character_column(long long offset) {
  const place at = locate(offset);
  if (at.column > kChunk) return at.column;
  offset = std::max(0LL, std::min(offset, size_));
  long long column = 1;
  for (long long i = offset - (at.column - 1); i < offset; ++i) {
    if ((byte_at(i) & 0xC0) != 0x80) ++column;
  }
  return column;
}
