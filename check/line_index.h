#ifndef CATALIX_CHECK_LINE_INDEX_H_
#define CATALIX_CHECK_LINE_INDEX_H_

// Byte offsets of a file to 1-based line and byte column, and the text of a
// line for display, over a read-only handle of its own.  Memory stays flat
// for files of gigabytes: requests mostly move forward, so a sweep goes on
// from where the last one left it; an offset behind it is found among the
// line starts of the current mebibyte, or by a sweep again from the
// checkpoint taken at the start of its mebibyte.
//
// Offsets run from 0 to the file's size.  The line of an offset is one more
// than the number of line feeds before it, so a line feed belongs to the
// line it ends, and the size of a file that ends in a line feed is column 1
// of the line after.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

class line_index {
 public:
  explicit line_index(const std::string& path);
  bool is_open() const { return open_; }
  long long size() const { return size_; }

  struct place {
    long long line;
    long long column;
  };
  // An offset outside 0 to size() is taken as the nearer of the two.
  place locate(long long offset);

  // At most `max_bytes` of the line that holds `offset`, around it, without
  // its line end (a CR before the LF included); first_column is the column
  // of its first byte, and the flags tell whether the line goes on either
  // side of what is shown.
  struct excerpt {
    std::string text;
    long long first_column;
    bool cut_before;
    bool cut_after;
  };
  excerpt line_around(long long offset, long long max_bytes);

  // The column of `offset` counted in UTF-8 characters rather than bytes
  // (each byte that does not continue a sequence is one); past a mebibyte
  // into a line, the byte column.
  long long character_column(long long offset);

 private:
  static const long long kBlock = 1 << 16;
  static const long long kChunk = 1 << 20;

  struct checkpoint {
    long long line;
    long long line_start;
  };

  // The byte at `offset` (below size_), through a one-block cache.
  int byte_at(long long offset);
  bool load(long long offset);
  void sweep_to(long long offset);
  void restart_at(long long chunk);

  std::ifstream file_;
  bool open_ = false;
  long long size_ = 0;

  std::vector<char> block_;
  long long block_start_ = -1;
  long long block_length_ = 0;

  // The sweep: every byte before pos_ has been seen; pos_ lies on line
  // line_, which starts at line_start_.
  long long pos_ = 0;
  long long line_ = 1;
  long long line_start_ = 0;
  // The line starts in the sweep's current chunk, after its checkpoint,
  // relative to the chunk's start.
  std::vector<std::uint32_t> starts_;
  // One for each chunk the sweep has entered: the line of its first byte.
  std::vector<checkpoint> checkpoints_;
};

#endif  // CATALIX_CHECK_LINE_INDEX_H_
