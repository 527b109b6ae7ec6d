#include "report/page_file.h"

#include "report/output.h"

#include "report/new_folder.h"

#include <string>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

const char kNewFolderPrefix[] = ".results.html.";
const char kNewFileName[] = "page.html";
// Links followed at most, as the system's own limit: past it, a loop.
const int kLinkHops = 40;

// The page's own file at the end of its symbolic links; still a link
// where they loop or cannot be read.
fs::path follow_links(fs::path path) {
  for (int hop = 0; hop < kLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::read_symlink(path, error);
    if (error) return path;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

}  // namespace

page_file::page_file(fs::path name, std::vector<fs::path> inputs)
    : name_(std::move(name)), inputs_(std::move(inputs)), target_(follow_links(name_)) {
  std::error_code error;
  const fs::file_status status = fs::status(name_, error);
  seekable_ = !fs::exists(status) || fs::is_regular_file(status);
  const fs::file_status own = fs::symlink_status(target_, error);
  replaceable_ = fs::is_regular_file(own) || own.type() == fs::file_type::not_found;
}

bool page_file::is_an_input() const {
  for (const fs::path& input : inputs_) {
    std::error_code error;  // either one missing: not the same file
    if (fs::equivalent(name_, input, error)) return true;
  }
  return false;
}

FILE* page_file::open() {
  if (decided_) {
    if (!new_folder_.file().empty()) return new_folder_.reopen(output::kWriteMode);
    return in_place_.empty() ? nullptr : std::fopen(in_place_.string().c_str(), output::kWriteMode);
  }
  decided_ = true;
  if (is_an_input()) return nullptr;
  if (!replaceable_) return open_in_place();
  std::error_code error;
  if (fs::is_regular_file(target_, error)) {
    // "r+" truncates nothing: an earlier page that may not be written to is
    // refused, as opening it with "w" would be.
    FILE* probe = std::fopen(target_.string().c_str(), "r+");
    if (probe == nullptr) return nullptr;
    std::fclose(probe);
  }
  FILE* out = open_new_file(error);
  if (out != nullptr) return out;
  // A folder closed to this run with a page open to it: in place, as ever.
  // Any other failure (a full disk) must leave the earlier page alone.
  if (error != std::errc::permission_denied && error != std::errc::operation_not_permitted) {
    return nullptr;
  }
  return open_in_place();
}

FILE* page_file::open_in_place() {
  in_place_ = name_;
  return std::fopen(in_place_.string().c_str(), output::kWriteMode);
}

FILE* page_file::open_new_file(std::error_code& error) {
  FILE* out = make_new_folder(new_folder_, target_.parent_path(), kNewFolderPrefix, kNewFileName,
                              output::kWriteMode, error);
  if (out != nullptr && fs::exists(target_, error)) {
    // The owner first: a change of owner may clear set-id bits.
    new_folder_.take_owner(target_);
    fs::permissions(new_folder_.file(), fs::status(target_, error).permissions(), error);
    if (error) {
      new_folder_.close(out);
      new_folder_.remove();
      return nullptr;
    }
  }
  return out;
}

bool page_file::close(FILE* out) { return new_folder_.close(out); }

bool page_file::finish(FILE* out, bool whole) {
  whole = close(out) && whole;
  if (!whole) {
    discard();
    return false;
  }
  if (new_folder_.file().empty()) return true;
  std::error_code error;
  return new_folder_.put_in_place(target_, error);
}

void page_file::discard() {
  if (!in_place_.empty()) std::remove(in_place_.string().c_str());
  new_folder_.remove();
}
