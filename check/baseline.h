#ifndef CATALIX_CHECK_BASELINE_H_
#define CATALIX_CHECK_BASELINE_H_

// Known findings, kept quiet.  A finding's key is its spectrum, its system,
// its code and its field, not its line, so that a known finding stays quiet
// as lines move and a fixed one drops out.  The file holds one key a line,
// the four parts separated by tabs, with backslash escapes for a tab, a
// line end or a backslash within a part; lines that begin with '#' are
// comments.  It is a multiset: two equal findings need two entries.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "check/finding.h"
#include "report/run_folder.h"

// The key of `f` as the baseline file writes it.
std::string baseline_key(const finding& f);

class baseline {
 public:
  // Reads the keys of `path`; false when it cannot be read.
  bool read(const std::string& path);
  // True, and one entry used up, when `key` has an entry left.
  bool take(const std::string& key);
  long long size() const { return size_; }

 private:
  std::vector<std::pair<std::string, long long>> counts_;  // sorted by key
  long long size_ = 0;
};

// Writes a baseline as the findings come, to a new file in a folder of its
// own beside `path` (`.NAME.` and 16 hexadecimal digits, a run_folder, so
// that an ending signal or a later run takes it away) that replaces `path`
// only when it is whole.
class baseline_writer {
 public:
  ~baseline_writer();
  bool open(const std::string& path);
  void add(const std::string& key);
  // Closes the new file and renames it over `path`; false when anything
  // failed, and `path` is then as it was.
  bool commit();
  long long count() const { return count_; }

 private:
  std::string path_;
  run_folder folder_;
  std::FILE* out_ = nullptr;
  long long count_ = 0;
};

#endif  // CATALIX_CHECK_BASELINE_H_
