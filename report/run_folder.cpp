#include "report/run_folder.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

using native_lock = std::intptr_t;  // a descriptor, or on Windows a HANDLE
const native_lock kNoLock = -1;     // as INVALID_HANDLE_VALUE
const std::size_t kPathRoom = 4096;
using path_char = fs::path::value_type;

// What the ending signals remove: written while `on` is false, published
// by setting it.  One run_folder at a time, its `owner`.
struct watched_paths {
  path_char file[kPathRoom];
  path_char folder[kPathRoom];
  std::atomic<bool> on{false};
  const run_folder* owner = nullptr;
#if defined(_WIN32)
  HANDLE lock = INVALID_HANDLE_VALUE;    // the owner's lock of the folder
  HANDLE stream = INVALID_HANDLE_VALUE;  // the handle of its open stream
#endif
} watched;
static_assert(std::atomic<bool>::is_always_lock_free, "a handler may read only lock-free atomics");

bool copy_path(const fs::path& path, path_char (&room)[kPathRoom]) {
  const fs::path::string_type& text = path.native();
  if (text.size() >= kPathRoom) return false;
  std::copy(text.begin(), text.end(), room);
  room[text.size()] = 0;
  return true;
}

#if defined(_WIN32)

// Every change of `watched` and of the streams it names is made holding
// this, and the console handler, on a thread of its own, takes it for good.
CRITICAL_SECTION guard;
const struct guard_setup {
  guard_setup() { InitializeCriticalSection(&guard); }
} guard_set_up;
struct held {
  held() { EnterCriticalSection(&guard); }
  ~held() { LeaveCriticalSection(&guard); }
};

BOOL WINAPI on_console_event(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  EnterCriticalSection(&guard);
  if (!watched.on) {
    LeaveCriticalSection(&guard);
    return FALSE;  // the system's own handler ends the process
  }
  // Open, the file and the folder could not be removed.
  if (watched.stream != INVALID_HANDLE_VALUE) CloseHandle(watched.stream);
  CloseHandle(watched.lock);
  DeleteFileW(watched.file);
  RemoveDirectoryW(watched.folder);
  // At once, as the system's handler would with ExitProcess; but no
  // library's clean-up, which might wait for a lock a stopped thread holds.
  TerminateProcess(GetCurrentProcess(), CONTROL_C_EXIT);
  return TRUE;
}

void install_handlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  SetConsoleCtrlHandler(on_console_event, TRUE);
}

// The run's own handle shares reading alone: while it is open no other
// process removes, renames or opens the folder for writing.  A cleaning run
// opens it for writing (FILE_ADD_FILE), which that handle refuses, sharing
// reading and writing, which refuses a run's handle in turn.  Either lets a
// listing (FindFirstFile, which reads) go on.
native_lock take_lock(const fs::path& folder, bool own) {
  return reinterpret_cast<native_lock>(CreateFileW(
      folder.c_str(), own ? GENERIC_READ : FILE_ADD_FILE, own ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}
void drop_lock(native_lock lock) { CloseHandle(reinterpret_cast<HANDLE>(lock)); }
HANDLE stream_handle(FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }
#else
struct held {  // a POSIX handler interrupts the thread it runs on: nothing to hold
  held() {}
};

extern "C" void on_ending_signal(int number) {
  const int saved = errno;
  if (watched.on) {
    ::unlink(watched.file);
    ::rmdir(watched.folder);
  }
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(number, &action, nullptr);
  errno = saved;
  // Blocked in here; delivered as the handler returns, with the default
  // action: the process ends as killed by this signal.
  raise(number);
}

void install_handlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const int numbers[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction action {};
  action.sa_handler = on_ending_signal;
  sigemptyset(&action.sa_mask);
  for (int number : numbers) sigaddset(&action.sa_mask, number);
  for (int number : numbers) {
    struct sigaction was {};
    // Ignored by whoever started us (nohup, a background job): so it stays.
    if (sigaction(number, nullptr, &was) == 0 && was.sa_handler != SIG_IGN) sigaction(number, &action, nullptr);
  }
}

native_lock take_lock(const fs::path& folder, bool) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (descriptor < 0 || ::flock(descriptor, LOCK_EX | LOCK_NB) == 0) return descriptor;
  ::close(descriptor);
  return kNoLock;
}
void drop_lock(native_lock lock) { ::close(static_cast<int>(lock)); }
#endif

// Whether `folder` holds nothing but a regular file `name`, or nothing.
bool holds_only(const fs::path& folder, const fs::path& name) {
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code ignored;
    if (entry->path().filename() != name || !fs::is_regular_file(fs::symlink_status(entry->path(), ignored))) {
      return false;
    }
  }
  return !error;
}

}  // namespace

FILE* run_folder::make(const fs::path& folder, const fs::path& name, const char* mode, std::error_code& error) {
  remove();
  install_handlers();
  held hold;
  folder_ = folder;
  file_ = folder / name;
  // Watched before it exists: from its making on, an ending removes it.
  watched.on = false;
  watched.owner = this;
  watched.on = copy_path(folder_, watched.folder) && copy_path(file_, watched.file);
  if (!fs::create_directory(folder_, error)) {
    if (!error) error = std::make_error_code(std::errc::file_exists);
    watched.on = false;  // another's, however unlikely: not to be touched
    folder_.clear();
    file_.clear();
    return nullptr;
  }
  FILE* out = lock(error) ? reopen(mode) : nullptr;
  if (out == nullptr && !error) error = std::error_code(errno, std::generic_category());
  if (out == nullptr) remove();
  return out;
}

bool run_folder::lock(std::error_code& error) {
  const native_lock lock = take_lock(folder_, true);
  if (lock == kNoLock) {
    // Gone, or a cleaning run holds it and is about to remove it.
    error = std::make_error_code(std::errc::no_such_file_or_directory);
    return false;
  }
  lock_ = lock;
#if defined(_WIN32)
  watched.lock = reinterpret_cast<HANDLE>(lock);
#endif
  return true;
}

void run_folder::unlock() {
  if (lock_ == kNoLock) return;
  drop_lock(lock_);
  lock_ = kNoLock;
#if defined(_WIN32)
  if (watched.owner == this) watched.lock = INVALID_HANDLE_VALUE;
#endif
}

FILE* run_folder::reopen(const char* mode) {
  if (file_.empty()) return nullptr;
  held hold;
  FILE* stream = std::fopen(file_.string().c_str(), mode);
#if defined(_WIN32)
  if (stream != nullptr && watched.owner == this) watched.stream = stream_handle(stream);
#endif
  return stream;
}

bool run_folder::close(FILE* stream) {
  // Flushed and checked here, not left to fclose: some C libraries do not
  // report from fclose that its last flush failed.
  bool whole = std::fflush(stream) == 0 && std::ferror(stream) == 0;
  held hold;
#if defined(_WIN32)
  if (watched.owner == this) watched.stream = INVALID_HANDLE_VALUE;
#endif
  return std::fclose(stream) == 0 && whole;
}

void run_folder::take_owner(const fs::path& target) {
#if !defined(_WIN32)
  struct stat earlier;
  if (file_.empty() || ::stat(target.c_str(), &earlier) != 0) return;
  // Not the owner's to give: keep the group alone, if even that.
  if (::chown(file_.c_str(), earlier.st_uid, earlier.st_gid) != 0) {
    (void)!::chown(file_.c_str(), static_cast<uid_t>(-1), earlier.st_gid);
  }
#else
  (void)target;
#endif
}

bool run_folder::put_in_place(const fs::path& target, std::error_code& error) {
  held hold;
  // The folder's lock stays until the file has left it.
  fs::rename(file_, target, error);
  remove();
  return !error;
}

void run_folder::remove() {
  if (folder_.empty()) return;
  held hold;
  // The lock first: on Windows, a folder open without delete sharing
  // cannot be removed even by its own process.
  unlock();
  std::error_code ignored;
  fs::remove(file_, ignored);
  fs::remove(folder_, ignored);
  // Removed before it is unwatched: a signal in between finds nothing to do.
  if (watched.owner == this) {
    watched.on = false;
    watched.owner = nullptr;
  }
  folder_.clear();
  file_.clear();
}

bool remove_if_dead(const fs::path& folder, const fs::path& name) {
  const native_lock lock = take_lock(folder, false);
  if (lock == kNoLock) return false;
  const bool dead = holds_only(folder, name);
  std::error_code ignored;
  if (dead) fs::remove(folder / name, ignored);
  // Unlocked before the folder goes (see run_folder::remove); a dead run's
  // folder is no living run's to take meanwhile.
  drop_lock(lock);
  return dead && fs::remove(folder, ignored);
}
