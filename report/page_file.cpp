#include "report/page_file.h"

#include "report/output.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#if CATALIX_THREADS
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace fs = std::filesystem;

namespace {

const char kNewFolderPrefix[] = ".results.html.";
const int kNewFolderDigits = 16;
const char kNewFileName[] = "page.html";
const auto kLeftoverAge = std::chrono::hours(1);
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

// 64 bits that no other run draws: the system's random source where there
// is one, mixed with the clock and an address of this process.
std::uint64_t unique_bits() {
  std::uint64_t bits = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  bits ^= reinterpret_cast<std::uintptr_t>(&bits);
  try {
    std::random_device device;
    bits ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No random source: the clock and the address alone.
  }
  // splitmix64's finaliser spreads every bit over the whole name.
  bits = (bits ^ (bits >> 30)) * 0xbf58476d1ce4e5b9u;
  bits = (bits ^ (bits >> 27)) * 0x94d049bb133111ebu;
  return bits ^ (bits >> 31);
}

std::string new_folder_name() {
  std::uint64_t bits = unique_bits();
  std::string name = kNewFolderPrefix;
  for (int i = 0; i < kNewFolderDigits; ++i, bits >>= 4) name += "0123456789abcdef"[bits & 15];
  return name;
}

bool is_new_folder_name(const std::string& name) {
  const std::string prefix = kNewFolderPrefix;
  if (name.size() != prefix.size() + kNewFolderDigits || name.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

// Takes away, from `folder`, the new folders of killed runs: those whose
// folder and file have both been left alone for longer than a run that is
// alive lets its heartbeat wait.  Nothing else is removed: a folder that
// holds anything else stays.
void remove_leftovers(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator entry(folder.empty() ? fs::path(".") : folder, error);
  const auto now = fs::file_time_type::clock::now();
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    const fs::path path = entry->path();
    std::error_code ignored;
    if (!is_new_folder_name(path.filename().string()) ||
        !fs::is_directory(fs::symlink_status(path, ignored))) {
      continue;
    }
    const fs::path file = path / kNewFileName;
    auto newest = fs::last_write_time(path, ignored);
    if (ignored) continue;
    const auto file_time = fs::last_write_time(file, ignored);
    if (!ignored && file_time > newest) newest = file_time;
    if (now - newest < kLeftoverAge) continue;
    fs::remove(file, ignored);
    fs::remove(path, ignored);
  }
}

}  // namespace

#if CATALIX_THREADS
const auto kHeartbeat = std::chrono::seconds(30);

// Touches the file being written every kHeartbeat, so that other runs know
// it for a living run's even where no byte is written for a while (the
// catalogue read through before the page begins, a sparse selection).
class page_file::heartbeat {
 public:
  explicit heartbeat(fs::path file) : file_(std::move(file)), thread_([this] { run(); }) {}
  ~heartbeat() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    stop_.notify_all();
    thread_.join();
  }

 private:
  void run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_.wait_for(lock, kHeartbeat, [this] { return stopping_; })) {
      std::error_code ignored;
      fs::last_write_time(file_, fs::file_time_type::clock::now(), ignored);
    }
  }

  const fs::path file_;
  std::mutex mutex_;
  std::condition_variable stop_;
  bool stopping_ = false;
  std::thread thread_;  // last: starts once the rest is set up
};
#else
// Without threads a long run goes untouched; the Windows C library, whose
// open files cannot be removed, keeps it from other runs all the same.
class page_file::heartbeat {
 public:
  explicit heartbeat(const fs::path&) {}
};
#endif

page_file::page_file(fs::path name, std::vector<fs::path> inputs)
    : name_(std::move(name)), inputs_(std::move(inputs)), target_(follow_links(name_)) {
  std::error_code error;
  const fs::file_status status = fs::status(name_, error);
  seekable_ = !fs::exists(status) || fs::is_regular_file(status);
  const fs::file_status own = fs::symlink_status(target_, error);
  replaceable_ = fs::is_regular_file(own) || own.type() == fs::file_type::not_found;
}

page_file::~page_file() { remove_new_file(); }

bool page_file::is_an_input() const {
  for (const fs::path& input : inputs_) {
    std::error_code error;  // either one missing: not the same file
    if (fs::equivalent(name_, input, error)) return true;
  }
  return false;
}

FILE* page_file::open() {
  if (decided_) {
    return written_.empty() ? nullptr : std::fopen(written_.string().c_str(), output::kWriteMode);
  }
  decided_ = true;
  if (is_an_input()) return nullptr;
  if (!replaceable_) {
    written_ = name_;
    return std::fopen(written_.string().c_str(), output::kWriteMode);
  }
  std::error_code error;
  if (fs::is_regular_file(target_, error)) {
    // "r+" truncates nothing: an earlier page that may not be written to is
    // refused, as opening it with "w" would be.
    FILE* probe = std::fopen(target_.string().c_str(), "r+");
    if (probe == nullptr) return nullptr;
    std::fclose(probe);
  }
  remove_leftovers(target_.parent_path());
  FILE* out = open_new_file(error);
  if (out != nullptr) return out;
  // A folder closed to this run with a page open to it: in place, as ever.
  // Any other failure (a full disk) must leave the earlier page alone.
  if (error != std::errc::permission_denied && error != std::errc::operation_not_permitted) {
    return nullptr;
  }
  written_ = name_;
  return std::fopen(written_.string().c_str(), output::kWriteMode);
}

FILE* page_file::open_new_file(std::error_code& error) {
  fs::path folder;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 8) {
      error = std::make_error_code(std::errc::file_exists);
      return nullptr;
    }
    folder = target_.parent_path() / new_folder_name();
    if (fs::create_directory(folder, error)) break;
    if (error) return nullptr;
  }
  folder_ = folder;
  written_ = folder / kNewFileName;
  FILE* out = std::fopen(written_.string().c_str(), output::kWriteMode);
  if (out != nullptr && fs::exists(target_, error)) {
    fs::permissions(written_, fs::status(target_, error).permissions(), error);
    if (error) {
      std::fclose(out);
      out = nullptr;
    }
  }
  if (out == nullptr) {
    if (!error) error = std::make_error_code(std::errc::io_error);
    remove_new_file();
    written_.clear();
    return nullptr;
  }
  try {
    heartbeat_ = std::make_unique<heartbeat>(written_);
  } catch (...) {
    // No thread to be had: the page is written all the same, untouched.
  }
  return out;
}

bool page_file::finish(FILE* out, bool whole) {
  // Flushed and checked here, not left to fclose: some C libraries do not
  // report from fclose that its last flush failed.
  whole = whole && std::fflush(out) == 0 && std::ferror(out) == 0;
  whole = std::fclose(out) == 0 && whole;
  if (!whole) {
    discard();
    return false;
  }
  if (folder_.empty()) return true;
  heartbeat_.reset();
  std::error_code error;
  fs::rename(written_, target_, error);
  if (error) {
    remove_new_file();
    return false;
  }
  fs::remove(folder_, error);
  folder_.clear();
  return true;
}

void page_file::discard() {
  if (folder_.empty()) {
    if (!written_.empty()) std::remove(written_.string().c_str());
    return;
  }
  remove_new_file();
}

void page_file::remove_new_file() {
  heartbeat_.reset();
  if (folder_.empty()) return;
  std::error_code ignored;
  fs::remove(folder_ / kNewFileName, ignored);
  fs::remove(folder_, ignored);
  folder_.clear();
}
