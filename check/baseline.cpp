#include "check/baseline.h"

#include "report/new_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

void append_escaped(std::string* out, const std::string& part) {
  for (char c : part) {
    switch (c) {
      case '\\': *out += "\\\\"; break;
      case '\t': *out += "\\t"; break;
      case '\n': *out += "\\n"; break;
      case '\r': *out += "\\r"; break;
      case '\0': *out += "\\0"; break;
      default: *out += c;
    }
  }
}

}  // namespace

std::string baseline_key(const finding& f) {
  std::string key;
  append_escaped(&key, f.spectrum);
  key += '\t';
  key += std::to_string(f.system);
  key += '\t';
  append_escaped(&key, entry_of(f.code).code);
  key += '\t';
  append_escaped(&key, f.field);
  return key;
}

bool baseline::read(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return false;
  std::vector<std::string> keys;
  std::string line;
  for (int c = std::getc(in);; c = std::getc(in)) {
    if (c != EOF && c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    // A file edited on Windows keeps its CR before each LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') keys.push_back(line);
    line.clear();
    if (c == EOF) break;
  }
  const bool ok = !std::ferror(in);
  std::fclose(in);
  std::sort(keys.begin(), keys.end());
  for (std::string& key : keys) {
    if (counts_.empty() || counts_.back().first != key) counts_.emplace_back(std::move(key), 0);
    ++counts_.back().second;
    ++size_;
  }
  return ok;
}

bool baseline::take(const std::string& key) {
  auto at = std::lower_bound(counts_.begin(), counts_.end(), key,
                             [](const std::pair<std::string, long long>& entry, const std::string& k) {
                               return entry.first < k;
                             });
  if (at == counts_.end() || at->first != key || at->second == 0) return false;
  --at->second;
  return true;
}

baseline_writer::~baseline_writer() {
  if (out_ != nullptr) folder_.close(out_);  // and the folder takes the file away
}

bool baseline_writer::open(const std::string& path) {
  path_ = path;
  const std::filesystem::path name = std::filesystem::path(path).filename();
  if (name.empty()) return false;
  std::error_code error;
  out_ = make_new_folder(folder_, std::filesystem::path(path).parent_path(), "." + name.string() + ".", name, "wb",
                         error);
  if (out_ == nullptr) return false;
  std::fputs("# catalix-check baseline: spectrum, system, code, field (tab-separated)\n", out_);
  return true;
}

void baseline_writer::add(const std::string& key) {
  if (out_ == nullptr) return;
  std::fputs(key.c_str(), out_);
  std::fputc('\n', out_);
  ++count_;
}

bool baseline_writer::commit() {
  if (out_ == nullptr) return false;
  const bool whole = folder_.close(out_);
  out_ = nullptr;
  std::error_code error;
  if (!whole) {
    folder_.remove();
    return false;
  }
  return folder_.put_in_place(path_, error);
}
